#include "platform/shared/network/CSwpTransport.h"

#include <cstring>
#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/win32/CSocket_Win32.h"

CSwpTransport::CSwpTransport() : CSwpTransport(CSocket_Win32::Create()) {}

CSwpTransport::CSwpTransport(ICSocket* socket) : CNetTransport(socket, "SWPT", kFinishing, kDone) {}

void CSwpTransport::Reset() {
    CNetTransport::Reset();
    std::memset(m_header, 0, sizeof m_header);
    m_received = 0;
}

void CSwpTransport::Step() {
    const std::uint32_t received = m_socket->GetBytesTransferred();
    switch (m_state) {
    case kConnecting:
        m_state = kSending;
        Send(m_frame, m_frameLength);
        break;
    case kSending:
        m_state = kHeader;
        m_received = 0;
        Receive(m_header, sizeof m_header);
        break;
    case kHeader:
        // TCP may hand the header over in pieces: read until all 4 bytes are in.
        m_received += received;
        if (m_received < sizeof m_header) {
            Receive(m_header + m_received, sizeof m_header - m_received);
            break;
        }
        DebugPrintf("SWPT: Received header");
        m_replyLength = m_header[1] * 2u + (m_header[2] << 8 | m_header[3]);
        if (m_replyLength < sizeof m_header) {
            m_replyLength = 0;
            CheckError(kNetCorrupt);
            break;
        }
        m_reply = new (std::nothrow) std::uint8_t[m_replyLength];
        if (m_reply == nullptr) {
            m_replyLength = 0;
            CheckError(kNetNoMemory);
            break;
        }
        std::memcpy(m_reply, m_header, sizeof m_header);
        ContinueReceiving();
        break;
    case kBody:
        m_received += received;
        ContinueReceiving();
        break;
    default:
        break;
    }
}

void CSwpTransport::ContinueReceiving() {
    if (m_received >= m_replyLength) {
        DebugPrintf("SWPT: Receive response - complete");
        m_state = kFinishing;
        return;
    }
    m_state = kBody;
    Receive(m_reply + m_received, m_replyLength - m_received);
}

std::int32_t CSwpTransport::GetProgress(std::int32_t* percent) const {
    std::int32_t phase = 0, value = 0;
    if (m_state >= kStarted && m_state <= kHeader) {
        phase = m_state;
    } else if (m_state == kBody) {
        phase = 4;
        value = static_cast<std::int32_t>(std::uint64_t{m_received} * 100 / m_replyLength);
    } else if (m_state == kFinishing) {
        phase = 5;
        value = 100;
    }
    if (percent != nullptr) *percent = value;
    return phase;
}
