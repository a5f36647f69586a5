// What the network tests share: the Python peers in this folder started on
// free ports of 127.0.0.1, the name "peer.test" for them, request frames made
// with the wire helpers, and polling a transport to its end.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "host/Window.h"
#include "host/Winsock.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/network/CWUtil.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DebugCapture.h"
#include "tools/SingletonTableApp.h"

namespace nettest {

using Bytes = std::vector<std::uint8_t>;

// The key text the peers check frames with.
inline constexpr const char* kKeyText = "key";

// Fields 0-5 = 0x1234, 1, 2, 3, 0x0506, 7 with the key text "key".
inline WNetConfig Config(std::int32_t timeoutMs = 0) {
    return {.field0 = 0x1234, .field1 = 1, .field2 = 2, .field3 = 3, .field4 = 0x0506, .field5 = 7,
            .timeoutMs = timeoutMs, .connectTimeoutMs = 5000, .keyText = kKeyText};
}

// A request frame of Config() without extra header: keyed and checksummed.
inline Bytes Frame(std::uint8_t message, const Bytes& payload) {
    Bytes frame = {1, 9, static_cast<std::uint8_t>(payload.size() >> 8), static_cast<std::uint8_t>(payload.size()),
                   1, 2, 3, 7, 0x05, 0x06, 0x12, 0x34, 0, 0, 0, 0, message, 0};
    std::uint8_t key[8];
    CWUtil::GenerateKey(key, 0x0506, 7, 1, 2, 0x1234, 3, kKeyText);
    const std::uint16_t sum = CWUtil::Checksum(key, 8, frame.data(), 18, nullptr, 0, payload.data(),
                                               static_cast<std::int32_t>(payload.size()));
    frame[14] = static_cast<std::uint8_t>(sum >> 8);
    frame[15] = static_cast<std::uint8_t>(sum);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

// A port of 127.0.0.1 that was free a moment ago; 0 when none was found.
std::uint16_t FreeLoopbackPort();
// Waits (at most kChildBound) until something accepts on the port.
bool WaitForListener(std::uint16_t port);

// A Python 3 script of this folder with its arguments, as a child process.
inline std::vector<std::string> Python(const std::string& script, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {VK_PYTHON3, std::string(VK_NET_PEERS) + "/" + script});
    return args;
}

// A peer script that prints "port N" once it listens.
class Peer {
public:
    explicit Peer(const std::string& script) : m_process(Python(script, {kKeyText})) {
        if (m_process.WaitForLine("port ")) {
            const std::string out = m_process.Output();
            m_port = static_cast<std::uint16_t>(std::stoi(out.substr(out.find("port ") + 5)));
        }
        EXPECT_NE(m_port, 0) << script << " did not start: " << m_process.Output();
    }
    std::uint16_t Port() const { return m_port; }
    std::string Url(const std::string& path) const { return "http://peer.test:" + std::to_string(m_port) + path; }
    // Every check the peer failed (none expected).
    std::string Problems() {
        std::string problems;
        const std::string out = m_process.Output();
        for (std::size_t at = out.find("bad request"); at != std::string::npos; at = out.find("bad request", at + 1)) {
            problems += out.substr(at, out.find('\n', at) - at) + "\n";
        }
        return problems;
    }

private:
    Process m_process;
    std::uint16_t m_port = 0;
};

// The peers, each started by the first test that asks for it and kept
// for the rest of the test program.
inline Peer& HttpPeer() {
    static Peer peer("http_peer.py");
    return peer;
}
inline Peer& RawPeer() {
    static Peer peer("raw_peer.py");
    return peer;
}

// Names "peer.test" (and any name ending in ".test") as 127.0.0.1 while it lives.
class LoopbackNames {
public:
    LoopbackNames() {
        host::SetResolver(
            [](const std::string& name, host::HostAnswer* answer) {
                if (!name.ends_with(".test")) return false;
                *answer = {name, {{127, 0, 0, 1}}};
                return true;
            },
            nullptr);
    }
    ~LoopbackNames() { host::SetResolver(nullptr, nullptr); }
    LoopbackNames(const LoopbackNames&) = delete;
    LoopbackNames& operator=(const LoopbackNames&) = delete;
};

// The headless 480 x 640 screen (a 240 x 320 back buffer) with an
// application object, the platform core and the graphics device.
class HeadlessDevice {
public:
    HeadlessDevice() {
        host::ResetWindowing(host::WindowOptions{.screenWidth = 480, .screenHeight = 640});
        CApp::SetInstance(&m_app);
        EXPECT_EQ(m_app.Startup(), 0);
        ICCore::SetInstance(m_core);
        m_graphics = ICGraphics2d::GetInstance();
        EXPECT_TRUE(m_graphics != nullptr && m_graphics->Init());
    }
    ~HeadlessDevice() {
        delete m_graphics;
        ICCore::SetInstance(nullptr);
        delete m_core;
        CApp::SetInstance(nullptr);
        host::ResetWindowing();
    }
    HeadlessDevice(const HeadlessDevice&) = delete;
    HeadlessDevice& operator=(const HeadlessDevice&) = delete;

private:
    vktools::SingletonTableApp m_app;
    CCore_Win32* m_core = CCore_Win32::Create();
    ICGraphics2d* m_graphics = nullptr;
};

// The 8 bytes of device information the library writes (a device must be open).
inline Bytes DeviceInfo() {
    Bytes info(8);
    CArrayOutputStream stream(1);
    stream.Attach(info.data(), 8);
    CWUtil::WriteDeviceInfo(stream);
    return info;
}

// Updates with dt until the object is no longer busy (at most about 10 s of
// real time); onUpdate runs after each update.
template <typename Polled, typename OnUpdate>
void RunToEnd(Polled& polled, std::uint32_t dt, OnUpdate onUpdate) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (polled.IsBusy() && std::chrono::steady_clock::now() < deadline) {
        polled.Update(dt);
        onUpdate();
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    ASSERT_FALSE(polled.IsBusy()) << "still busy after 10 s";
}

template <typename Polled>
void RunToEnd(Polled& polled, std::uint32_t dt = 1) {
    RunToEnd(polled, dt, [] {});
}

}  // namespace nettest
