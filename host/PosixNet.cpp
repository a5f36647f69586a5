#include "host/PosixNet.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace posixnet {

int OpenTcp() { return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP); }

int SetNonBlocking(int fd, bool on) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) return -1;
    return ::fcntl(fd, F_SETFL, on ? flags | O_NONBLOCK : flags & ~O_NONBLOCK) < 0 ? -1 : 0;
}

int Connect(int fd, std::uint32_t address, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = port;
    target.sin_addr.s_addr = address;
    return ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target);
}

bool HasPeer(int fd) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    return ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
}

int TakePendingError(int fd, int* error) {
    socklen_t length = sizeof *error;
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, error, &length);
}

int Poll(PollEntry* entries, std::size_t count, int timeoutMs) {
    std::vector<pollfd> fds(count);
    for (std::size_t i = 0; i < count; ++i) {
        const PollEntry& e = entries[i];
        fds[i].fd = e.fd;
        fds[i].events = static_cast<short>((e.wantRead ? POLLIN : 0) | (e.wantWrite ? POLLOUT : 0) |
                                           (e.wantExcept ? POLLPRI : 0));
    }
    int ready;
    do {
        ready = ::poll(fds.data(), fds.size(), timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return -1;
    int result = 0;
    for (std::size_t i = 0; i < count; ++i) {
        PollEntry& e = entries[i];
        const short r = fds[i].revents;
        if (r & POLLNVAL) {
            errno = EBADF;
            return -1;
        }
        e.readable = e.wantRead && (r & (POLLIN | POLLHUP | POLLERR)) != 0;
        e.writable = e.wantWrite && (r & (POLLOUT | POLLERR)) != 0;
        e.exceptional = e.wantExcept && (r & POLLPRI) != 0;
        if (e.readable || e.writable || e.exceptional) ++result;
    }
    return result;
}

std::ptrdiff_t Send(int fd, const void* data, std::size_t length) {
    return ::send(fd, data, length, MSG_NOSIGNAL);
}

std::ptrdiff_t Receive(int fd, void* data, std::size_t length) { return ::recv(fd, data, length, 0); }

int Shutdown(int fd, int how) {
    static const int kHow[] = {SHUT_RD, SHUT_WR, SHUT_RDWR};
    if (how < 0 || how > 2) {
        errno = EINVAL;
        return -1;
    }
    return ::shutdown(fd, kHow[how]);
}

int Close(int fd) { return ::close(fd); }

std::uint32_t ParseAddress(const char* text) { return ::inet_addr(text); }

bool ResolveName(const char* name, std::string* officialName, std::vector<Address>* addresses) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &list) != 0) return false;
    *officialName = list->ai_canonname != nullptr ? list->ai_canonname : name;
    addresses->clear();
    for (const addrinfo* ai = list; ai != nullptr; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET || ai->ai_addrlen < sizeof(sockaddr_in)) continue;
        sockaddr_in in;
        std::memcpy(&in, ai->ai_addr, sizeof in);
        Address bytes;
        std::memcpy(bytes.data(), &in.sin_addr.s_addr, 4);
        if (std::find(addresses->begin(), addresses->end(), bytes) == addresses->end()) {
            addresses->push_back(bytes);
        }
    }
    ::freeaddrinfo(list);
    return !addresses->empty();
}

bool ResolveAddress(const Address& address, std::string* name) {
    sockaddr_in in{};
    in.sin_family = AF_INET;
    std::memcpy(&in.sin_addr.s_addr, address.data(), 4);
    char text[NI_MAXHOST];
    if (::getnameinfo(reinterpret_cast<const sockaddr*>(&in), sizeof in, text, sizeof text, nullptr, 0,
                      NI_NAMEREQD) != 0) {
        return false;
    }
    *name = text;
    return true;
}

}  // namespace posixnet
