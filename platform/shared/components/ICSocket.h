// A polled TCP client for a single-threaded program. Connect, Send and
// Receive start a request and return at once; the owner calls Update with
// the elapsed milliseconds every frame, which advances the request one
// non-blocking step, and reads the outcome once the socket is no longer
// busy. After a successful exchange the connection stays open while it is
// used, and a new Connect to the same address and port keeps it.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class ICSocket : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0xD6595D28;

    // Result codes of the requests and of GetResult.
    static constexpr std::uint32_t kResultOk = 0;
    static constexpr std::uint32_t kResultBadArgument = 1;  // null buffer, or a send of 0 bytes
    static constexpr std::uint32_t kResultHostNotFound = 241;
    static constexpr std::uint32_t kResultDisconnected = 242;  // no socket open, or the peer closed it
    static constexpr std::uint32_t kResultTimeout = 243;
    static constexpr std::uint32_t kResultNoSocket = 244;  // no socket could be created
    static constexpr std::uint32_t kResultConnectFailed = 246;
    static constexpr std::uint32_t kResultReceiveError = 247;
    static constexpr std::uint32_t kResultSendError = 248;
    static constexpr std::uint32_t kResultBusy = 0xFFFFFFFF;  // another request runs; nothing was done

    ~ICSocket() override = default;

    // True while a request is under way.
    virtual bool IsBusy() = 0;
    // kResultBusy while busy, else the last request's result.
    virtual std::uint32_t GetResult() = 0;
    // The first platform error recorded since the last request began.
    virtual std::uint32_t GetSocketError() = 0;
    // The buffer of the last request.
    virtual void* GetBuffer() = 0;
    // Bytes sent or received by the last request.
    virtual std::uint32_t GetBytesTransferred() = 0;

    // Each returns a result code; a time-out of 0 (or less) never expires.
    virtual std::uint32_t Connect(const char* hostName, std::uint16_t port, std::int32_t timeoutMs) = 0;
    virtual void Disconnect() = 0;
    virtual std::uint32_t Send(const void* buffer, std::uint32_t byteCount, std::int32_t timeoutMs) = 0;
    // Completes with the bytes of one successful read, at most the capacity.
    virtual std::uint32_t Receive(void* buffer, std::uint32_t capacity, std::int32_t timeoutMs) = 0;
    virtual void Update(std::uint32_t elapsedMs) = 0;

protected:
    ICSocket() : CClass(kClassId) {}
};
