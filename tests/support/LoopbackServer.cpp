#include "tests/support/LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

}  // namespace

LoopbackServer::LoopbackServer(Behaviour behaviour) : m_behaviour(std::move(behaviour)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        (!m_behaviour.refuse && ::listen(m_listener, 8) != 0)) {
        std::perror("loopback server");  // no socket test can run
        std::abort();
    }
    m_port = ntohs(address.sin_port);
    if (!m_behaviour.refuse) m_thread = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    ::close(m_listener);
}

// One client at a time, which is all a socket under test opens.
void LoopbackServer::Run() {
    int client = -1;
    while (!m_stop) {
        pollfd fd{client < 0 ? m_listener : client, POLLIN, 0};
        if (::poll(&fd, 1, 10) <= 0) continue;
        if (client < 0) {
            client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            if (SendAll(client, m_behaviour.greeting.data(), m_behaviour.greeting.size()) &&
                !m_behaviour.closeAfterGreeting) {
                continue;
            }
        } else {
            char data[4096];
            const ssize_t got = ::recv(client, data, sizeof data, 0);
            if (got > 0 && (!m_behaviour.echo || SendAll(client, data, static_cast<std::size_t>(got)))) continue;
        }
        ::close(client);
        client = -1;
    }
    if (client >= 0) ::close(client);
}
