#include "host/Winsock.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iterator>
#include <mutex>

#include "host/LastError.h"
#include "host/PosixNet.h"

namespace {

// errno values and the platform's numbers for them.
struct ErrorPair {
    int posix;
    int platform;
};

const ErrorPair kErrors[] = {
    {EWOULDBLOCK, winsock::WSAEWOULDBLOCK},  // also EAGAIN
    {EINPROGRESS, winsock::WSAEWOULDBLOCK},     {EALREADY, winsock::WSAEALREADY},
    {EISCONN, winsock::WSAEISCONN},             {ENOTCONN, winsock::WSAENOTCONN},
    {ECONNREFUSED, winsock::WSAECONNREFUSED},   {ETIMEDOUT, winsock::WSAETIMEDOUT},
    {ECONNRESET, winsock::WSAECONNRESET},       {EPIPE, winsock::WSAECONNRESET},
    {ECONNABORTED, winsock::WSAECONNABORTED},   {ENETUNREACH, winsock::WSAENETUNREACH},
    {EHOSTUNREACH, winsock::WSAEHOSTUNREACH},   {ENETDOWN, winsock::WSAENETDOWN},
    {ENETRESET, winsock::WSAENETRESET},         {EBADF, winsock::WSAENOTSOCK},
    {ENOTSOCK, winsock::WSAENOTSOCK},           {EINVAL, winsock::WSAEINVAL},
    {EFAULT, winsock::WSAEFAULT},               {EMFILE, winsock::WSAEMFILE},
    {ENFILE, winsock::WSAEMFILE},               {ENOBUFS, winsock::WSAENOBUFS},
    {ENOMEM, winsock::WSAENOBUFS},              {EADDRINUSE, winsock::WSAEADDRINUSE},
    {EADDRNOTAVAIL, winsock::WSAEADDRNOTAVAIL}, {EAFNOSUPPORT, winsock::WSAEAFNOSUPPORT},
    {EPROTONOSUPPORT, winsock::WSAEPROTONOSUPPORT}, {EOPNOTSUPP, winsock::WSAEOPNOTSUPP},
    {EACCES, winsock::WSAEACCES},               {EINTR, winsock::WSAEINTR},
    {EMSGSIZE, winsock::WSAEMSGSIZE},
};

int PlatformError(int posixError) {
    if (posixError == 0) return 0;
    for (const ErrorPair& e : kErrors) {
        if (e.posix == posixError) return e.platform;
    }
    return winsock::WSASYSCALLFAILURE;
}

// Records the platform's number for errno; returns SOCKET_ERROR.
int FailFromErrno() {
    SetLastError(static_cast<DWORD>(PlatformError(errno)));
    return winsock::SOCKET_ERROR;
}

int Fail(int platformError) {
    SetLastError(static_cast<DWORD>(platformError));
    return winsock::SOCKET_ERROR;
}

// A socket handle is the descriptor itself.
int Descriptor(winsock::SOCKET s) { return s <= static_cast<winsock::SOCKET>(INT_MAX) ? static_cast<int>(s) : -1; }

// The descriptor for a send or receive, or -1 with the error recorded.
int TransferDescriptor(winsock::SOCKET s, const char* buffer, int length, int flags) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(winsock::WSAENOTSOCK);
    if (flags != 0) return Fail(winsock::WSAEOPNOTSUPP);
    if (length < 0 || (buffer == nullptr && length > 0)) return Fail(winsock::WSAEFAULT);
    return fd;
}

std::atomic<int> g_startups{0};

std::mutex g_resolverMutex;
host::NameResolver g_byName;
host::AddressResolver g_byAddress;

// A copy of the test's resolver, taken under the lock: the lookup itself
// runs without it.
template <typename Resolver>
Resolver Current(const Resolver& resolver) {
    std::lock_guard lock(g_resolverMutex);
    return resolver;
}

// The resolver's answer in the form the platform hands out: one entry per
// thread, valid until the thread's next lookup.
struct HostEntryStore {
    std::string name;
    std::vector<posixnet::Address> addresses;
    std::vector<char*> addressList;
    char* noAliases[1] = {nullptr};
    winsock::hostent entry{};
};
thread_local HostEntryStore t_hostEntry;

winsock::hostent* Publish(const host::HostAnswer& answer) {
    HostEntryStore& store = t_hostEntry;
    store.name = answer.name;
    store.addresses = answer.addresses;
    store.addressList.clear();
    for (auto& a : store.addresses) store.addressList.push_back(reinterpret_cast<char*>(a.data()));
    store.addressList.push_back(nullptr);
    store.entry.h_name = store.name.data();
    store.entry.h_aliases = store.noAliases;
    store.entry.h_addrtype = winsock::AF_INET;
    store.entry.h_length = 4;
    store.entry.h_addr_list = store.addressList.data();
    return &store.entry;
}

winsock::hostent* NotFound() {
    SetLastError(winsock::WSAHOST_NOT_FOUND);
    return nullptr;
}

}  // namespace

namespace winsock {

int WSAStartup(WORD versionRequested, WSADATA* data) {
    if (data == nullptr) return WSAEFAULT;
    const WORD highest = MAKEWORD(2, 2);
    if ((versionRequested & 0xFF) == 0) return WSAVERNOTSUPPORTED;
    // Versions compare major (low byte) first.
    const auto order = [](WORD v) { return ((v & 0xFF) << 8) | (v >> 8); };
    std::memset(data, 0, sizeof *data);
    data->wVersion = order(versionRequested) < order(highest) ? versionRequested : highest;
    data->wHighVersion = highest;
    std::strcpy(data->szDescription, "WinSock 2.2");
    std::strcpy(data->szSystemStatus, "Running");
    ++g_startups;
    return 0;
}

int WSACleanup() {
    int count = g_startups.load();
    do {
        if (count == 0) return Fail(WSANOTINITIALISED);
    } while (!g_startups.compare_exchange_weak(count, count - 1));
    return 0;
}

hostent* gethostbyname(const char* name) {
    if (name == nullptr) {
        SetLastError(WSAEFAULT);
        return nullptr;
    }
    const host::NameResolver byName = Current(g_byName);
    host::HostAnswer answer;
    const bool found = byName ? byName(name, &answer) : posixnet::ResolveName(name, &answer.name, &answer.addresses);
    if (!found || answer.addresses.empty()) return NotFound();
    return Publish(answer);
}

hostent* gethostbyaddr(const char* address, int length, int type) {
    if (address == nullptr || length != 4) {
        SetLastError(WSAEFAULT);
        return nullptr;
    }
    if (type != AF_INET) {
        SetLastError(WSAEAFNOSUPPORT);
        return nullptr;
    }
    posixnet::Address bytes;
    std::memcpy(bytes.data(), address, 4);
    const host::AddressResolver byAddress = Current(g_byAddress);
    host::HostAnswer answer;
    const bool found = byAddress ? byAddress(bytes, &answer) : posixnet::ResolveAddress(bytes, &answer.name);
    if (!found) return NotFound();
    if (answer.addresses.empty()) answer.addresses.push_back(bytes);
    return Publish(answer);
}

u_long inet_addr(const char* text) { return text == nullptr ? INADDR_NONE : posixnet::ParseAddress(text); }

u_short htons(u_short value) {
    const BYTE bytes[2] = {static_cast<BYTE>(value >> 8), static_cast<BYTE>(value)};
    u_short network;
    std::memcpy(&network, bytes, 2);
    return network;
}

u_long htonl(u_long value) {
    const BYTE bytes[4] = {static_cast<BYTE>(value >> 24), static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8),
                           static_cast<BYTE>(value)};
    u_long network;
    std::memcpy(&network, bytes, 4);
    return network;
}

u_short ntohs(u_short value) {
    BYTE bytes[2];
    std::memcpy(bytes, &value, 2);
    return static_cast<u_short>(bytes[0] << 8 | bytes[1]);
}

SOCKET socket(int family, int type, int protocol) {
    if (family != AF_INET) {
        SetLastError(WSAEAFNOSUPPORT);
    } else if (type != SOCK_STREAM) {
        SetLastError(WSAESOCKTNOSUPPORT);
    } else if (protocol != 0 && protocol != IPPROTO_TCP) {
        SetLastError(WSAEPROTONOSUPPORT);
    } else {
        const int fd = posixnet::OpenTcp();
        if (fd >= 0) return static_cast<SOCKET>(fd);
        FailFromErrno();
    }
    return INVALID_SOCKET;
}

int ioctlsocket(SOCKET s, std::int32_t command, u_long* argument) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(WSAENOTSOCK);
    if (command != FIONBIO) return Fail(WSAEINVAL);
    if (argument == nullptr) return Fail(WSAEFAULT);
    return posixnet::SetNonBlocking(fd, *argument != 0) == 0 ? 0 : FailFromErrno();
}

int connect(SOCKET s, const sockaddr* name, int nameLength) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(WSAENOTSOCK);
    if (name == nullptr || nameLength < static_cast<int>(sizeof(sockaddr_in))) return Fail(WSAEFAULT);
    sockaddr_in target;
    std::memcpy(&target, name, sizeof target);
    if (target.sin_family != AF_INET) return Fail(WSAEAFNOSUPPORT);
    // Linux answers the first connect after a non-blocking one completed with
    // success; the platform answers "already connected" every time.
    if (posixnet::HasPeer(fd)) return Fail(WSAEISCONN);
    return posixnet::Connect(fd, target.sin_addr.s_addr, target.sin_port) == 0 ? 0 : FailFromErrno();
}

int select(int /*nfds*/, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet, const timeval* timeout) {
    using Entry = posixnet::PollEntry;
    struct SetRole {
        fd_set* set;
        bool Entry::*want;
        bool Entry::*ready;
    };
    const SetRole roles[3] = {{readSet, &Entry::wantRead, &Entry::readable},
                              {writeSet, &Entry::wantWrite, &Entry::writable},
                              {exceptSet, &Entry::wantExcept, &Entry::exceptional}};
    // One poll entry per distinct socket, whichever sets name it.
    std::vector<Entry> entries;
    const auto entryOf = [&entries](int fd) -> Entry* {
        for (Entry& e : entries) {
            if (e.fd == fd) return &e;
        }
        return nullptr;
    };
    for (const SetRole& role : roles) {
        if (role.set == nullptr) continue;
        if (role.set->fd_count > std::size(role.set->fd_array)) return Fail(WSAEINVAL);
        for (UINT i = 0; i < role.set->fd_count; ++i) {
            const int fd = Descriptor(role.set->fd_array[i]);
            if (fd < 0) return Fail(WSAENOTSOCK);
            Entry* e = entryOf(fd);
            if (e == nullptr) e = &entries.emplace_back(Entry{fd, false, false, false, false, false, false});
            (*e).*role.want = true;
        }
    }
    if (entries.empty()) return Fail(WSAEINVAL);
    int timeoutMs = -1;
    if (timeout != nullptr) {
        if (timeout->tv_sec < 0 || timeout->tv_usec < 0) return Fail(WSAEINVAL);
        const std::int64_t ms = std::int64_t{timeout->tv_sec} * 1000 + (std::int64_t{timeout->tv_usec} + 999) / 1000;
        timeoutMs = ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
    }
    if (posixnet::Poll(entries.data(), entries.size(), timeoutMs) < 0) return FailFromErrno();
    // Each set keeps only its ready sockets; the result counts them all.
    int count = 0;
    for (const SetRole& role : roles) {
        if (role.set == nullptr) continue;
        UINT kept = 0;
        for (UINT i = 0; i < role.set->fd_count; ++i) {
            const SOCKET s = role.set->fd_array[i];
            if ((*entryOf(Descriptor(s))).*role.ready) role.set->fd_array[kept++] = s;
        }
        role.set->fd_count = kept;
        count += static_cast<int>(kept);
    }
    return count;
}

int getsockopt(SOCKET s, int level, int option, char* value, int* valueLength) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(WSAENOTSOCK);
    if (level != SOL_SOCKET || option != SO_ERROR) return Fail(WSAENOPROTOOPT);
    if (value == nullptr || valueLength == nullptr || *valueLength < static_cast<int>(sizeof(int))) {
        return Fail(WSAEFAULT);
    }
    int pending = 0;
    if (posixnet::TakePendingError(fd, &pending) != 0) return FailFromErrno();
    const int platform = PlatformError(pending);
    std::memcpy(value, &platform, sizeof platform);
    *valueLength = sizeof platform;
    return 0;
}

int send(SOCKET s, const char* buffer, int length, int flags) {
    const int fd = TransferDescriptor(s, buffer, length, flags);
    if (fd < 0) return SOCKET_ERROR;
    const std::ptrdiff_t sent = posixnet::Send(fd, buffer, static_cast<std::size_t>(length));
    return sent < 0 ? FailFromErrno() : static_cast<int>(sent);
}

int recv(SOCKET s, char* buffer, int length, int flags) {
    const int fd = TransferDescriptor(s, buffer, length, flags);
    if (fd < 0) return SOCKET_ERROR;
    const std::ptrdiff_t received = posixnet::Receive(fd, buffer, static_cast<std::size_t>(length));
    return received < 0 ? FailFromErrno() : static_cast<int>(received);
}

int shutdown(SOCKET s, int how) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(WSAENOTSOCK);
    if (how < SD_RECEIVE || how > SD_BOTH) return Fail(WSAEINVAL);
    return posixnet::Shutdown(fd, how) == 0 ? 0 : FailFromErrno();
}

int closesocket(SOCKET s) {
    const int fd = Descriptor(s);
    if (fd < 0) return Fail(WSAENOTSOCK);
    return posixnet::Close(fd) == 0 ? 0 : FailFromErrno();
}

}  // namespace winsock

namespace host {

void SetResolver(NameResolver byName, AddressResolver byAddress) {
    std::lock_guard lock(g_resolverMutex);
    g_byName = std::move(byName);
    g_byAddress = std::move(byAddress);
}

}  // namespace host
