// Carries a request frame over a plain TCP connection and reads back one
// reply framed by its own 4-byte header (byte 1 the header length in 16-bit
// units, bytes 2-3 the payload length). The reply handed out is the whole
// reply, header included. Polled like the HTTP transport; log lines carry
// the tag "SWPT:".
#pragma once

#include <cstdint>

#include "platform/shared/network/CNetTransport.h"

class CSwpTransport : public CNetTransport {
public:
    // With the platform's socket.
    CSwpTransport();
    // With the given socket, which it owns (null fails every request).
    explicit CSwpTransport(ICSocket* socket);

    std::int32_t GetProgress(std::int32_t* percent) const override;

private:
    enum State : std::int32_t {
        kIdle = 0,
        kStarted = 1,
        kConnecting = 2,
        kSending = 3,
        kHeader = 4,
        kBody = 5,
        kFinishing = 6,
        kDone = 7,
    };

    void Reset() override;
    void Step() override;
    void ContinueReceiving();

    std::uint8_t m_header[4] = {};
    std::uint32_t m_received = 0;
};
