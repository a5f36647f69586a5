// TCP servers on 127.0.0.1 for socket tests. The header is free of POSIX
// names so that tests using the Windows Sockets declarations can include it.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

// Serves on its own thread, on a free port, until destroyed.
class LoopbackServer {
public:
    struct Behaviour {
        std::string greeting;             // sent to each client once accepted
        bool echo = false;                // sends back everything it receives
        bool closeAfterGreeting = false;  // then closes the connection
        bool refuse = false;              // holds the port without listening
    };

    explicit LoopbackServer(Behaviour behaviour);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::uint16_t Port() const { return m_port; }

private:
    void Run();

    Behaviour m_behaviour;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
