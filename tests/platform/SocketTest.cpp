// The socket client against servers on 127.0.0.1, with names answered by a
// resolver that knows "echo.test" and, by its address only, 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/LastError.h"
#include "host/Winsock.h"
#include "platform/shared/win32/CSocket_Win32.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/LoopbackServer.h"

namespace {

using Lines = std::vector<std::string>;

std::string Hex(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return text;
}

class SocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::SetResolver(
            [](const std::string& name, host::HostAnswer* answer) {
                if (name != "echo.test") return false;
                *answer = {"echo.test.local", {{127, 0, 0, 1}}};
                return true;
            },
            [](const std::array<std::uint8_t, 4>& address, host::HostAnswer* answer) {
                answer->name = "loopback.test";
                return address == std::array<std::uint8_t, 4>{127, 0, 0, 1};
            });
        m_socket.reset(CSocket_Win32::Create());
        ASSERT_NE(m_socket, nullptr);
        SetLastError(0);
    }
    void TearDown() override {
        m_socket.reset();
        host::SetResolver(nullptr, nullptr);
    }

    // Until the request ends (at most 5 s); the result.
    std::uint32_t RunToEnd() {
        for (int i = 0; i < 5000 && m_socket->IsBusy(); ++i) {
            m_socket->Update(1);
            if (m_socket->IsBusy()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_FALSE(m_socket->IsBusy());
        return m_socket->GetResult();
    }
    // Connects to the server and clears the log.
    void ConnectTo(const LoopbackServer& server) {
        ASSERT_EQ(m_socket->Connect("echo.test", server.Port(), 2000), 0u);
        ASSERT_EQ(RunToEnd(), 0u);
        m_log.Clear();
        SetLastError(0);
    }
    // The log since the last look, without the lines of reads and writes that would block.
    Lines Log() {
        Lines lines;
        for (const auto& line : m_log.Lines()) {
            if (line != "SOCKET: Receive - blocked" && line != "SOCKET: Send - blocked") lines.push_back(line);
        }
        m_log.Clear();
        return lines;
    }

    DebugCapture m_log;
    std::unique_ptr<ICSocket> m_socket;
};

TEST_F(SocketTest, ConnectsSendsAndReceivesAnEcho) {
    LoopbackServer server({.greeting = {}, .echo = true});
    ASSERT_EQ(m_socket->Connect("echo.test", server.Port(), 2000), 0u);
    EXPECT_EQ(RunToEnd(), 0u);
    const Lines lines = Log();
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "SOCKET: connect requested, host echo.test, port " + std::to_string(server.Port()) + ", timeout 2000");
    if (lines.size() > 1) {  // the connect was under way rather than done at once
        EXPECT_EQ(lines,
                  (Lines{lines[0], "SOCKET: Connected to host echo.test.local", "SOCKET: complete (0x0000, 0x2733)"}));
    }
    std::vector<std::uint8_t> data(5000);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    SetLastError(0);
    ASSERT_EQ(m_socket->Send(data.data(), 5000, 1000), 0u);
    EXPECT_EQ(RunToEnd(), 0u);
    EXPECT_EQ(m_socket->GetBytesTransferred(), 5000u);
    EXPECT_EQ(Log(), (Lines{"SOCKET: send requested, buffer " + Hex(data.data()) + ", numBytes 5000, timeout 1000",
                            "SOCKET: sending 5000 bytes", "SOCKET: Send - sent 2048/5000 bytes",
                            "SOCKET: Send - sent 4096/5000 bytes", "SOCKET: Send - sent 5000/5000 bytes",
                            "SOCKET: complete (0x0000, 0x0000)"}));
    // One read per request, at most 2048 bytes each.
    std::vector<std::uint8_t> echo(5000);
    for (std::uint32_t got = 0, i = 0; i < 100 && got < echo.size(); ++i, got += m_socket->GetBytesTransferred()) {
        ASSERT_EQ(m_socket->Receive(echo.data() + got, 5000 - got, 1000), 0u);
        ASSERT_EQ(RunToEnd(), 0u);
        EXPECT_LE(m_socket->GetBytesTransferred(), 2048u);
    }
    EXPECT_EQ(echo, data);
}

TEST_F(SocketTest, ReceiveUntilThePeerClosesThenSendsFailWithoutSignal) {
    LoopbackServer server({.greeting = "hi", .echo = false, .closeAfterGreeting = true});
    ConnectTo(server);
    char buffer[16];
    ASSERT_EQ(m_socket->Receive(buffer, sizeof buffer, 1000), 0u);
    EXPECT_EQ(RunToEnd(), 0u);
    EXPECT_EQ(std::string(buffer, m_socket->GetBytesTransferred()), "hi");
    EXPECT_EQ(Log(), (Lines{"SOCKET: receive requested, buffer " + Hex(buffer) + ", bufSize 16, timeout 1000",
                            "SOCKET: receiving up to 16 bytes", "SOCKET: Receive - received 2/16 bytes",
                            "SOCKET: complete (0x0000, 0x0000)"}));
    ASSERT_EQ(m_socket->Receive(buffer, sizeof buffer, 1000), 0u);
    EXPECT_EQ(RunToEnd(), 242u);
    const Lines lines = Log();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(Lines(lines.begin() + 2, lines.end() - 1),
              (Lines{"SOCKET: Receive - disconnected", "SOCKET: releasing socket"}));
    // The socket error is 0x2733 when a read found nothing first.
    EXPECT_TRUE(lines[4].starts_with("SOCKET: complete (0x00f2, ")) << lines[4];
    EXPECT_EQ(m_socket->Send(buffer, 1, 0), 242u);  // the socket is gone

    // Sends are accepted until the peer's reset is back; then one fails (a
    // SIGPIPE would end the test program here).
    ConnectTo(server);
    char data[2048] = {};
    for (int i = 0; i < 100 && m_socket->GetResult() == 0; ++i) {
        ASSERT_EQ(m_socket->Send(data, sizeof data, 1000), 0u);
        RunToEnd();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(m_socket->GetResult(), 248u);
}

TEST_F(SocketTest, RefusedAndUnknownHosts) {
    LoopbackServer refusing({.greeting = {}, .refuse = true});
    // Dotted text that the resolver knows only by its address.
    const std::uint32_t started = m_socket->Connect("127.0.0.1", refusing.Port(), 2000);
    if (started == 0) {
        EXPECT_EQ(RunToEnd(), 246u);
        EXPECT_EQ(Log(), (Lines{"SOCKET: connect requested, host 127.0.0.1, port " + std::to_string(refusing.Port()) +
                                    ", timeout 2000",
                                "SOCKET: Connect - failed - connect error 274d", "SOCKET: releasing socket",
                                "SOCKET: complete (0x00f6, 0x2733)"}));
    } else {
        EXPECT_EQ(started, 246u);  // refused before connect returned
        EXPECT_EQ(m_socket->GetSocketError(), 10061u);
        Log();
    }
    EXPECT_EQ(m_socket->Connect(nullptr, 80, 100), 241u);
    EXPECT_EQ(m_socket->Connect("10.9.9.9", 80, 100), 241u);  // neither by name nor by address
    EXPECT_FALSE(m_socket->IsBusy());
    EXPECT_EQ(m_socket->GetSocketError(), static_cast<std::uint32_t>(winsock::WSAHOST_NOT_FOUND));
    EXPECT_EQ(Log(), (Lines{"SOCKET: connect requested, host (null), port 80, timeout 100",
                            "SOCKET: connect requested, host 10.9.9.9, port 80, timeout 100"}));
}

TEST_F(SocketTest, BadRequestsBusyTimeOutKeptConnectionAndIdleRelease) {
    char buffer[16];
    EXPECT_EQ(m_socket->Receive(buffer, 4, 0), 242u);  // no socket
    LoopbackServer server({.greeting = {}, .echo = true});
    ConnectTo(server);
    EXPECT_EQ(m_socket->Send(nullptr, 4, 0), 1u);
    EXPECT_EQ(m_socket->Receive(buffer, 0, 0), 1u);  // refused, the connection kept
    ASSERT_EQ(m_socket->Send("ping", 4, 1000), 0u);
    RunToEnd();
    // The same address and port: the open, connected socket counts as connected.
    Log();
    EXPECT_EQ(m_socket->Connect("127.0.0.1", server.Port(), 1000), 0u);
    EXPECT_FALSE(m_socket->IsBusy());
    EXPECT_EQ(Log().size(), 1u);  // nothing released
    ASSERT_EQ(m_socket->Receive(buffer, sizeof buffer, 1000), 0u);
    RunToEnd();
    EXPECT_EQ(std::string(buffer, m_socket->GetBytesTransferred()), "ping");
    // 30 000 ms without a request close the connection.
    Log();
    m_socket->Update(29'999);
    EXPECT_TRUE(Log().empty());
    m_socket->Update(1);
    EXPECT_EQ(Log(), (Lines{"SOCKET: Idle timer triggered", "SOCKET: releasing socket"}));

    // Nothing comes: busy (new requests refused, nothing logged) until the time-out.
    ConnectTo(server);
    ASSERT_EQ(m_socket->Receive(buffer, sizeof buffer, 500), 0u);
    m_socket->Update(200);
    m_socket->Update(200);
    Log();
    EXPECT_EQ(m_socket->Connect("echo.test", server.Port(), 0), 0xFFFFFFFFu);
    EXPECT_EQ(m_socket->Send("x", 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(m_socket->GetResult(), 0xFFFFFFFFu);
    EXPECT_EQ(m_socket->GetBuffer(), buffer);
    EXPECT_TRUE(Log().empty());
    m_socket->Update(200);
    EXPECT_EQ(m_socket->GetResult(), 243u);
    const Lines lines = Log();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{"SOCKET: Timeout triggered", "SOCKET: releasing socket", "SOCKET: complete (0x00f3, 0x2733)"}));
}

}  // namespace
