// TCP endpoints on 127.0.0.1 for socket tests. The header is free of POSIX
// names so that tests using the Windows Sockets declarations can include it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

// A server on its own thread, listening on a free port until destroyed.
class LoopbackServer {
public:
    struct Behaviour {
        std::string greeting;             // sent to each client once accepted
        bool echo = false;                // sends back everything it receives
        bool closeAfterGreeting = false;  // then closes the connection
    };

    explicit LoopbackServer(Behaviour behaviour);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t Port() const { return m_port; }
    // Bytes received from all clients so far.
    std::size_t BytesReceived() const { return m_received.load(); }

private:
    void Run();

    Behaviour m_behaviour;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_received{0};
    std::thread m_thread;
};

// A port that refuses connections: bound on 127.0.0.1, never listening, so
// that no one else takes it while the object lives.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    std::uint16_t Port() const { return m_port; }

private:
    int m_fd = -1;
    std::uint16_t m_port = 0;
};
