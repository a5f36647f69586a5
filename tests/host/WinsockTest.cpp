#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "host/LastError.h"
#include "host/Winsock.h"
#include "tests/support/LoopbackServer.h"

namespace {

using winsock::SOCKET;

std::array<std::uint8_t, 4> Bytes(winsock::u_long address) {
    std::array<std::uint8_t, 4> bytes;
    std::memcpy(bytes.data(), &address, 4);
    return bytes;
}

winsock::sockaddr_in Loopback(std::uint16_t port) {
    winsock::sockaddr_in address{};
    address.sin_family = winsock::AF_INET;
    address.sin_port = winsock::htons(port);
    address.sin_addr.s_addr = winsock::inet_addr("127.0.0.1");
    return address;
}

// A non-blocking TCP socket with its connect to 127.0.0.1:port started.
SOCKET StartConnect(std::uint16_t port) {
    const SOCKET s = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, winsock::IPPROTO_TCP);
    EXPECT_NE(s, winsock::INVALID_SOCKET);
    winsock::u_long on = 1;
    EXPECT_EQ(winsock::ioctlsocket(s, winsock::FIONBIO, &on), 0);
    const winsock::sockaddr_in address = Loopback(port);
    if (winsock::connect(s, reinterpret_cast<const winsock::sockaddr*>(&address), sizeof address) != 0) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSAEWOULDBLOCK));
    }
    return s;
}

// Waits (50 ms at a time, at most 5 s) until select reports the socket in
// the wanted set; false when it never does.
bool WaitUntil(SOCKET s, bool writable) {
    for (int i = 0; i < 100; ++i) {
        winsock::fd_set set = {1, {s}};
        const winsock::timeval wait = {0, 50'000};
        const int n = writable ? winsock::select(0, nullptr, &set, nullptr, &wait)
                               : winsock::select(0, &set, nullptr, nullptr, &wait);
        if (n < 0) return false;
        if (n == 1 && set.fd_count == 1 && set.fd_array[0] == s) return true;
    }
    return false;
}

int PendingError(SOCKET s) {
    int error = -1;
    int length = sizeof error;
    EXPECT_EQ(winsock::getsockopt(s, winsock::SOL_SOCKET, winsock::SO_ERROR, reinterpret_cast<char*>(&error),
                                  &length),
              0);
    return error;
}

TEST(Winsock, AddressTextAndByteOrder) {
    struct Case {
        const char* text;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {"127.0.0.1", {127, 0, 0, 1}},
        {"10.1.2.3", {10, 1, 2, 3}},
        {"1.2.3", {1, 2, 0, 3}},  // the short forms fill the last part
        {"255.255.255.255", {255, 255, 255, 255}},
    };
    for (const auto& c : cases) EXPECT_EQ(Bytes(winsock::inet_addr(c.text)), c.bytes) << c.text;
    for (const char* bad : {"256.0.0.1", "host.example", "", "1.2.3.4.5"}) {
        EXPECT_EQ(winsock::inet_addr(bad), winsock::INADDR_NONE) << bad;
    }
    const winsock::u_short port = winsock::htons(0x1234);
    std::uint8_t portBytes[2];
    std::memcpy(portBytes, &port, 2);
    EXPECT_EQ(portBytes[0], 0x12);
    EXPECT_EQ(portBytes[1], 0x34);
}

TEST(Winsock, StartupAndCleanupPair) {
    winsock::WSADATA data;
    ASSERT_EQ(winsock::WSAStartup(winsock::MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, 0x0202);
    EXPECT_EQ(data.wHighVersion, 0x0202);
    ASSERT_EQ(winsock::WSAStartup(winsock::MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_EQ(winsock::WSACleanup(), 0);
    EXPECT_EQ(winsock::WSACleanup(), 0);
    SetLastError(0);
    EXPECT_EQ(winsock::WSACleanup(), winsock::SOCKET_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSANOTINITIALISED));
}

class WinsockResolver : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetResolver(
            [](const std::string& name, host::HostAnswer* answer) {
                if (name != "game.test") return false;
                *answer = {"server.game.test", {{10, 0, 0, 7}, {10, 0, 0, 8}}};
                return true;
            },
            [](const std::array<std::uint8_t, 4>& address, host::HostAnswer* answer) {
                if (address != std::array<std::uint8_t, 4>{10, 0, 0, 9}) return false;
                answer->name = "nine.game.test";
                return true;
            });
    }
    void TearDown() override { host::SetResolver(nullptr, nullptr); }
};

TEST_F(WinsockResolver, AnswersFromTheReplacedResolver) {
    const winsock::hostent* entry = winsock::gethostbyname("game.test");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->h_name, "server.game.test");
    EXPECT_EQ(entry->h_addrtype, winsock::AF_INET);
    EXPECT_EQ(entry->h_length, 4);
    ASSERT_NE(entry->h_addr_list[1], nullptr);
    EXPECT_EQ(std::memcmp(entry->h_addr_list[0], "\x0A\x00\x00\x07", 4), 0);
    EXPECT_EQ(std::memcmp(entry->h_addr_list[1], "\x0A\x00\x00\x08", 4), 0);
    EXPECT_EQ(entry->h_addr_list[2], nullptr);

    const winsock::u_long nine = winsock::inet_addr("10.0.0.9");
    entry = winsock::gethostbyaddr(reinterpret_cast<const char*>(&nine), 4, winsock::AF_INET);
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->h_name, "nine.game.test");
    EXPECT_EQ(std::memcmp(entry->h_addr_list[0], &nine, 4), 0);  // the address asked about
    EXPECT_EQ(entry->h_addr_list[1], nullptr);
}

TEST_F(WinsockResolver, FailuresRecordThePlatformError) {
    const winsock::u_long eight = winsock::inet_addr("10.0.0.8");
    const char* eightBytes = reinterpret_cast<const char*>(&eight);
    struct Case {
        const char* what;
        std::function<const winsock::hostent*()> lookUp;
        int error;
    };
    const Case cases[] = {
        {"unknown name", [] { return winsock::gethostbyname("other.test"); }, winsock::WSAHOST_NOT_FOUND},
        {"null name", [] { return winsock::gethostbyname(nullptr); }, winsock::WSAEFAULT},
        {"unknown address", [&] { return winsock::gethostbyaddr(eightBytes, 4, winsock::AF_INET); },
         winsock::WSAHOST_NOT_FOUND},
        {"short address", [&] { return winsock::gethostbyaddr(eightBytes, 3, winsock::AF_INET); },
         winsock::WSAEFAULT},
        {"other family", [&] { return winsock::gethostbyaddr(eightBytes, 4, 23); }, winsock::WSAEAFNOSUPPORT},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(c.lookUp(), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.what;
    }
}

TEST(WinsockLoopback, ConnectSendAndReceive) {
    LoopbackServer server({.greeting = {}, .echo = true});
    const SOCKET s = StartConnect(server.Port());
    ASSERT_TRUE(WaitUntil(s, true));
    EXPECT_EQ(PendingError(s), 0);

    // Nothing waiting yet: the receive would block.
    char reply[16] = {};
    SetLastError(0);
    EXPECT_EQ(winsock::recv(s, reply, sizeof reply, 0), winsock::SOCKET_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSAEWOULDBLOCK));

    EXPECT_EQ(winsock::send(s, "hello", 5, 0), 5);
    ASSERT_TRUE(WaitUntil(s, false));
    EXPECT_EQ(winsock::recv(s, reply, sizeof reply, 0), 5);
    EXPECT_STREQ(reply, "hello");

    // Connecting again on the connected socket.
    const winsock::sockaddr_in address = Loopback(server.Port());
    SetLastError(0);
    EXPECT_EQ(winsock::connect(s, reinterpret_cast<const winsock::sockaddr*>(&address), sizeof address),
              winsock::SOCKET_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSAEISCONN));

    EXPECT_EQ(winsock::shutdown(s, winsock::SD_SEND), 0);
    EXPECT_EQ(winsock::closesocket(s), 0);
}

TEST(WinsockLoopback, RefusedConnectShowsItsError) {
    RefusingPort refusing;
    const SOCKET s = StartConnect(refusing.Port());
    // Linux reports the failed connect as writable (and readable); the
    // pending error tells it apart from a connection.
    ASSERT_TRUE(WaitUntil(s, true));
    EXPECT_EQ(PendingError(s), winsock::WSAECONNREFUSED);
    EXPECT_EQ(PendingError(s), 0);  // the query cleared it
    EXPECT_EQ(winsock::closesocket(s), 0);
}

TEST(WinsockLoopback, SendToAClosedPeerFailsWithoutSignal) {
    LoopbackServer server({.greeting = "bye", .echo = false, .closeAfterGreeting = true});
    const SOCKET s = StartConnect(server.Port());
    ASSERT_TRUE(WaitUntil(s, false));
    char data[2048] = {};
    EXPECT_EQ(winsock::recv(s, data, sizeof data, 0), 3);
    ASSERT_TRUE(WaitUntil(s, false));
    EXPECT_EQ(winsock::recv(s, data, sizeof data, 0), 0);  // the peer's end
    // The first send may still be accepted; the reset makes later ones fail
    // (a SIGPIPE would end the test program here). The socket stays readable
    // at its end, so select cannot wait for the reset: sleep a little instead.
    int result = 0;
    for (int i = 0; i < 100 && result != winsock::SOCKET_ERROR; ++i) {
        result = winsock::send(s, data, sizeof data, 0);
        if (result != winsock::SOCKET_ERROR) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(result, winsock::SOCKET_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSAECONNRESET));
    EXPECT_EQ(winsock::closesocket(s), 0);
}

// No other thread runs in this test and no connection is made: a server
// thread accepting late would take the lowest free descriptor, the number
// of the socket closed below, and the select on it would find an open socket.
TEST(Winsock, BadArgumentsRecordThePlatformError) {
    const SOCKET s = winsock::socket(winsock::AF_INET, winsock::SOCK_STREAM, winsock::IPPROTO_TCP);
    ASSERT_NE(s, winsock::INVALID_SOCKET);
    char byte = 0;
    int length = 2;
    winsock::fd_set empty = {0, {}};
    const winsock::timeval now = {0, 0};
    struct Case {
        const char* what;
        std::function<int()> call;
        int error;
    };
    const Case cases[] = {
        {"select of nothing", [&] { return winsock::select(0, &empty, nullptr, nullptr, &now); }, winsock::WSAEINVAL},
        {"short option", [&] { return winsock::getsockopt(s, winsock::SOL_SOCKET, winsock::SO_ERROR, &byte, &length); },
         winsock::WSAEFAULT},
        {"unknown option", [&] { return winsock::getsockopt(s, winsock::SOL_SOCKET, 1, &byte, &length); },
         winsock::WSAENOPROTOOPT},
        {"negative length", [&] { return winsock::send(s, &byte, -1, 0); }, winsock::WSAEFAULT},
        {"unknown command", [&] { return winsock::ioctlsocket(s, 1, nullptr); }, winsock::WSAEINVAL},
        {"unknown family", [] { return static_cast<int>(winsock::socket(23, winsock::SOCK_STREAM, 0)); },
         winsock::WSAEAFNOSUPPORT},
        {"shutdown how", [&] { return winsock::shutdown(s, 3); }, winsock::WSAEINVAL},
        {"no socket", [] { return winsock::recv(winsock::INVALID_SOCKET, nullptr, 0, 0); }, winsock::WSAENOTSOCK},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(c.call(), winsock::SOCKET_ERROR) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.what;
    }
    EXPECT_EQ(winsock::closesocket(s), 0);
    SetLastError(0);
    winsock::fd_set closed = {1, {s}};
    EXPECT_EQ(winsock::select(0, &closed, nullptr, nullptr, &now), winsock::SOCKET_ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(winsock::WSAENOTSOCK));
}

}  // namespace
