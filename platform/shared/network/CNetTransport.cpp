#include "platform/shared/network/CNetTransport.h"

#include <algorithm>
#include <climits>

#include "platform/shared/core/Debug.h"
#include "platform/shared/network/CWUtil.h"

CNetTransport::CNetTransport(ICSocket* socket, const char* tag, std::int32_t finishState, std::int32_t doneState)
    : m_socket(socket), m_tag(tag), m_finishState(finishState), m_doneState(doneState) {}

CNetTransport::~CNetTransport() {
    FreeReply();
    delete m_socket;
}

std::int32_t CNetTransport::Start(const WNetConfig& config, const char* url, const std::uint8_t* frame,
                                  std::uint32_t frameLength, std::uint8_t keep) {
    if (IsBusy()) return kNetBusy;
    if (url == nullptr || frame == nullptr) return kNetBadArgument;
    Reset();
    if (m_socket == nullptr) return static_cast<std::int32_t>(ICSocket::kResultNoSocket);
    const std::int32_t parsed = CWUtil::ParseURL(url, m_host, m_port, m_path);
    if (parsed != kNetOk) return parsed;
    m_frame = frame;
    m_frameLength = frameLength;
    m_timeoutMs = config.timeoutMs;
    m_connectTimeoutMs = config.connectTimeoutMs;
    m_keep = keep;
    DebugPrintf("%s: Successfully initiated request", m_tag);
    m_state = 1;
    return kNetOk;
}

void CNetTransport::Cancel() {
    if (m_socket != nullptr) m_socket->Disconnect();
    Reset();
}

void CNetTransport::DetachReply() {
    m_reply = nullptr;
    m_replyLength = 0;
}

void CNetTransport::FreeReply() {
    delete[] m_reply;
    DetachReply();
}

void CNetTransport::Reset() {
    m_host.Clear();
    m_port = 0;
    m_path.Clear();
    m_timeoutMs = 0;
    m_connectTimeoutMs = 0;
    m_frame = nullptr;
    m_frameLength = 0;
    m_keep = 0;
    FreeReply();
    m_state = 0;
    m_error = kNetOk;
    m_socketError = 0;
    m_elapsedMs = 0;
}

bool CNetTransport::CheckError(std::int32_t code) {
    if (code == kNetOk || m_state == m_finishState) return false;
    m_error = code;
    m_socketError = static_cast<std::int32_t>(m_socket->GetSocketError());
    DebugPrintf("%s: error (0x%04x, 0x%04x) occured in state (0x%04x)", m_tag, code, m_socketError, m_state);
    m_socket->Disconnect();
    m_state = m_finishState;
    return true;
}

void CNetTransport::Update(std::uint32_t elapsedMs) {
    if (m_socket != nullptr) m_socket->Update(elapsedMs);
    if (m_state == 1) {
        m_state = 2;
        CheckError(static_cast<std::int32_t>(m_socket->Connect(m_host.GetBuffer(), m_port, m_connectTimeoutMs)));
    } else if (m_state == m_finishState) {
        // The connection stays open only after a success with the keep flag.
        if (m_keep == 0 || m_socket->IsBusy() || m_error != kNetOk) m_socket->Disconnect();
        DebugPrintf("%s: complete (0x%04x, 0x%04x)", m_tag, m_error, m_socketError);
        m_state = m_doneState;
    } else if (IsBusy() && !m_socket->IsBusy() && !CheckSocket()) {
        Step();
    }
    if (!IsBusy()) return;
    m_elapsedMs = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{m_elapsedMs} + elapsedMs, INT32_MAX));
    if (m_timeoutMs >= 1 && m_elapsedMs >= m_timeoutMs) {
        DebugPrintf("%s: Timeout triggered", m_tag);
        CheckError(kNetTimeout);
    }
}
