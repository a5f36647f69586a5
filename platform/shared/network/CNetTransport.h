// What the two transports share: the owned socket, the request's settings,
// the error record with its log line, the timeout, the closing step and the
// reply block. Each transport is a polled state machine whose own states lie
// between idle (0) and its finishing and done states.
#pragma once

#include <cstdint>

#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/ICSocket.h"
#include "platform/shared/network/NetTypes.h"

class CNetTransport {
public:
    CNetTransport(const CNetTransport&) = delete;
    CNetTransport& operator=(const CNetTransport&) = delete;

    // -1 while busy; 1 without a URL or frame, or for a bad URL; 244 without
    // a socket; else the request starts (0). The frame must outlive it.
    std::int32_t Start(const WNetConfig& config, const char* url, const std::uint8_t* frame, std::uint32_t frameLength,
                       std::uint8_t keep);
    // Disconnects and resets.
    void Cancel();
    // Advances the socket and the request by one step.
    void Update(std::uint32_t elapsedMs);
    // The phase (0 idle or done, 1 started, 2 connecting, 3 sending,
    // 4 receiving, 5 finishing) and, when asked, the percent received.
    virtual std::int32_t GetProgress(std::int32_t* percent) const = 0;

    bool IsBusy() const { return m_state != 0 && m_state != m_doneState; }
    // -1 while busy, else the request's result code.
    std::int32_t GetResult() const { return IsBusy() ? kNetBusy : m_error; }
    std::int32_t GetSocketError() const { return m_socketError; }

    std::uint8_t* GetReplyData() const { return m_reply; }
    std::uint32_t GetReplyLength() const { return m_replyLength; }
    // Forgets the reply without freeing it: the caller owns the block.
    void DetachReply();
    void FreeReply();

protected:
    // tag is the log prefix; the transport owns the socket (null is allowed
    // and fails every request with 244).
    CNetTransport(ICSocket* socket, const char* tag, std::int32_t finishState, std::int32_t doneState);
    virtual ~CNetTransport();

    // Clears the request and frees the reply; transports add their own.
    virtual void Reset();
    // The transport's own step, run once the socket has finished the last
    // one without error.
    virtual void Step() = 0;
    // Records a non-zero code as the error (unless already finishing): logs
    // it, disconnects and moves to the finishing state. True when it was an
    // error.
    bool CheckError(std::int32_t code);
    // The socket's result of its finished step, checked.
    bool CheckSocket() { return CheckError(static_cast<std::int32_t>(m_socket->GetResult())); }
    // Start a socket step; one that cannot start fails the request at once
    // (the socket's result would still read as the last step's success).
    void Send(const void* bytes, std::uint32_t n) {
        CheckError(static_cast<std::int32_t>(m_socket->Send(bytes, n, 0)));
    }
    void Receive(void* at, std::uint32_t n) { CheckError(static_cast<std::int32_t>(m_socket->Receive(at, n, 0))); }

    ICSocket* m_socket;
    CStrChar m_host;
    std::uint16_t m_port = 0;
    CStrChar m_path;
    std::int32_t m_timeoutMs = 0;
    std::int32_t m_connectTimeoutMs = 0;
    const std::uint8_t* m_frame = nullptr;  // not owned
    std::uint32_t m_frameLength = 0;
    std::uint8_t m_keep = 0;
    std::uint8_t* m_reply = nullptr;  // owned until detached
    std::uint32_t m_replyLength = 0;
    std::int32_t m_state = 0;
    std::int32_t m_error = 0;
    std::int32_t m_socketError = 0;
    std::int32_t m_elapsedMs = 0;

private:
    const char* m_tag;
    const std::int32_t m_finishState;
    const std::int32_t m_doneState;
};
