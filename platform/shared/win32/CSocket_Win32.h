// The socket client over Windows Sockets: one non-blocking IPv4 TCP socket
// driven by a state machine that Update advances. Every step writes a
// "SOCKET:" line to the debug log.
#pragma once

#include <cstdint>

#include "host/Winsock.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/ICSocket.h"

class CSocket_Win32 : public ICSocket {
public:
    // A new socket client, or null when out of memory. The caller owns it.
    static ICSocket* Create();

    // Disconnects and releases the sockets library.
    ~CSocket_Win32() override;
    CSocket_Win32(const CSocket_Win32&) = delete;
    CSocket_Win32& operator=(const CSocket_Win32&) = delete;

    bool IsBusy() override;
    std::uint32_t GetResult() override;
    std::uint32_t GetSocketError() override;
    void* GetBuffer() override;
    std::uint32_t GetBytesTransferred() override;

    std::uint32_t Connect(const char* hostName, std::uint16_t port, std::int32_t timeoutMs) override;
    void Disconnect() override;
    std::uint32_t Send(const void* buffer, std::uint32_t byteCount, std::int32_t timeoutMs) override;
    std::uint32_t Receive(void* buffer, std::uint32_t capacity, std::int32_t timeoutMs) override;
    void Update(std::uint32_t elapsedMs) override;

private:
    enum State : std::uint32_t {
        kIdle = 0,
        kConnecting = 1,
        kSending = 2,
        kReceiving = 3,
        kCompleting = 4,
        kComplete = 5,
    };

    // Idle time after a completed exchange before the connection is closed.
    static constexpr std::int32_t kIdleTimeoutMs = 30000;
    // The most that one send or receive step moves.
    static constexpr std::uint32_t kStepBytes = 2048;

    CSocket_Win32();

    std::uint32_t StartConnect(const char* hostName, std::uint16_t port, std::int32_t timeoutMs);
    void StepConnecting();
    void StepSending();
    void StepReceiving();
    void StepCompleting();
    // Ends the running request with a failure: the completing step follows.
    void Fail(std::uint32_t result);
    // Keeps the first platform error of the request; returns it.
    std::uint32_t RecordError();
    void ReleaseSocket();
    void ClearRequest();

    winsock::SOCKET m_socket = winsock::INVALID_SOCKET;
    CStrChar m_hostName;  // the official name of the resolved host
    std::uint16_t m_port = 0;
    std::uint32_t m_address = 0;  // IPv4, network byte order
    // The request fields, cleared together when a request starts.
    std::uint8_t* m_buffer = nullptr;  // the caller's; a send only reads it
    std::uint32_t m_requested = 0;
    std::uint32_t m_transferred = 0;
    std::uint32_t m_state = kIdle;
    std::uint32_t m_result = kResultOk;
    std::uint32_t m_socketError = 0;
    // The running request's time-out, or the idle time left after a
    // completed one; 0 (or less) does not count down.
    std::int32_t m_timer = 0;
};
