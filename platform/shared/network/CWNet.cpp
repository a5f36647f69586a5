#include "platform/shared/network/CWNet.h"

#include <cstring>
#include <new>

#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/network/CWUtil.h"

namespace {

constexpr std::uint32_t kFrameHeader = 18;

// Whether the text holds exactly one integer conversion ("%%" aside): the
// server id is its only argument.
bool HoldsOneIntegerConversion(const char* format) {
    int conversions = 0;
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%') continue;
        if (*++c == '%') continue;
        while (*c != '\0' && std::strchr("-+ #0", *c) != nullptr) ++c;
        while (*c >= '0' && *c <= '9') ++c;
        if (*c == '.') {
            ++c;
            while (*c >= '0' && *c <= '9') ++c;
        }
        if (*c == 'h' || *c == 'l') ++c;
        if (*c == '\0' || std::strchr("diuxXo", *c) == nullptr) return false;
        ++conversions;
    }
    return conversions == 1;
}

}  // namespace

CWNet::CWNet() = default;

CWNet::CWNet(ICSocket* rawSocket, ICSocket* httpSocket) : m_raw(rawSocket), m_http(httpSocket) {}

CWNet::~CWNet() { Cancel(); }

void CWNet::Reset() {
    delete[] m_frame;
    m_frame = nullptr;
    m_frameLength = 0;
    FreeReply();
    m_replyId = 0;
    m_state = kIdle;
    m_result = kNetOk;
    m_socketError = 0;
    m_url[0] = '\0';
    m_transportType = 0;
    m_keep = 0;
    m_retries = 0;
    m_expectedReplyId = 0;
}

void CWNet::DetachReply() {
    m_reply = nullptr;
    m_replyLength = 0;
}

void CWNet::FreeReply() {
    delete[] m_reply;
    DetachReply();
}

void CWNet::Cancel() {
    m_http.Cancel();
    m_raw.Cancel();
    Reset();
}

bool CWNet::SetUrl(const char* url, bool urlIsTemplate, std::uint8_t serverId) {
    if (!urlIsTemplate) {
        SafeStrCopy(m_url, url, kUrlSize);
        return true;
    }
    if (!HoldsOneIntegerConversion(url)) return false;
    if (serverId == 0) {
        DebugPrintf("Load balanced servers should always use a server ID!");
        serverId = 1;
    }
    char formatted[512];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int length = SNPrintf(formatted, sizeof formatted, url, static_cast<int>(serverId));
#pragma GCC diagnostic pop
    if (length >= static_cast<int>(kUrlSize)) return false;
    std::memcpy(m_url, formatted, static_cast<std::size_t>(length) + 1);
    return true;
}

std::int32_t CWNet::SendRequest(std::int32_t transportType, std::uint8_t messageId, std::int32_t expectedReplyId,
                                const char* url, bool urlIsTemplate, std::uint8_t serverId, bool keepConnection,
                                std::int32_t retries, const std::uint8_t* extra, std::uint32_t extraLength,
                                const std::uint8_t* payload, std::uint32_t payloadLength) {
    if (IsBusy()) return kNetBusy;
    Reset();
    if (url == nullptr || payload == nullptr || payloadLength == 0) return kNetBadArgument;
    if ((extra == nullptr) != (extraLength == 0)) return kNetBadArgument;
    // The header's length byte and payload length field must hold them.
    if (payloadLength > 0xFFFF || extraLength > 0x1FF - kFrameHeader) return kNetBadArgument;
    m_frameLength = kFrameHeader + extraLength + payloadLength;
    m_frame = new (std::nothrow) std::uint8_t[m_frameLength];
    if (m_frame == nullptr) {
        m_frameLength = 0;
        return kNetNoMemory;
    }
    m_expectedReplyId = expectedReplyId;
    m_transportType = transportType;
    m_keep = keepConnection ? 1 : 0;
    m_retries = retries;
    if (!SetUrl(url, urlIsTemplate, serverId)) return kNetBadArgument;

    const WNetConfig& c = m_config;
    const std::uint8_t flags = static_cast<std::uint8_t>(m_keep | ((c.field9 & 0xFF) != 0 ? 0x04 : 0) |
                                                         (c.field10 & 0x18) | ((c.field11 & 0xFF) != 0 ? 0x20 : 0));
    CArrayOutputStream out(1);
    out.Attach(m_frame, m_frameLength);
    out.WriteU8(1);
    out.WriteU8(static_cast<std::uint8_t>((kFrameHeader + extraLength) / 2));
    out.WriteU16(static_cast<std::uint16_t>(payloadLength));
    out.WriteU8(static_cast<std::uint8_t>(c.field1));
    out.WriteU8(static_cast<std::uint8_t>(c.field2));
    out.WriteU8(static_cast<std::uint8_t>(c.field3));
    out.WriteU8(static_cast<std::uint8_t>(c.field5));
    out.WriteU16(static_cast<std::uint16_t>(c.field4));
    out.WriteU16(static_cast<std::uint16_t>(c.field0));
    out.WriteU16(0);
    out.WriteU16(0);
    out.WriteU8(messageId);
    out.WriteU8(flags);
    if (extraLength != 0) out.Write(extra, extraLength);
    out.Write(payload, payloadLength);
    const bool overflow = out.HasError() != 0;

    std::uint8_t key[8];
    CWUtil::GenerateKey(key, c.field4, c.field5 & 0xFF, c.field1, c.field2, c.field0, c.field3, c.keyText);
    const std::uint8_t* body = m_frame + kFrameHeader;
    const std::uint16_t checksum = CWUtil::Checksum(key, 8, m_frame, kFrameHeader, extraLength != 0 ? body : nullptr,
                                                    static_cast<std::int32_t>(extraLength), body + extraLength,
                                                    static_cast<std::int32_t>(payloadLength));
    CArrayOutputStream sum(1);
    sum.Attach(m_frame + 14, m_frameLength - 14);
    sum.WriteU16(checksum);
    if (overflow || sum.HasError()) return kNetCorrupt;

    m_state = kInProgress;
    const std::int32_t started = StartTransport();
    if (started != kNetOk) {
        m_state = kComplete;
        m_result = started;
    }
    return started;
}

std::int32_t CWNet::StartTransport() { return Active().Start(m_config, m_url, m_frame, m_frameLength, m_keep); }

void CWNet::Update(std::uint32_t elapsedMs) {
    if (m_state != kInProgress) return;
    Active().Update(elapsedMs);
    if (!Active().IsBusy()) Complete();
}

void CWNet::Complete() {
    CNetTransport& transport = Active();
    m_result = transport.GetResult();
    m_socketError = transport.GetSocketError();
    if (m_result == kNetOk) {
        m_reply = transport.GetReplyData();
        m_replyLength = transport.GetReplyLength();
        transport.DetachReply();
        if (m_replyLength < 6) {
            m_result = kNetCorrupt;
        } else {
            m_replyId = m_reply[4];
            if (m_replyId >= 0xF0) {
                DebugPrintf("WNET: App error: 0x%02x", m_replyId);
                m_result = kNetAppError;
            } else if (m_expectedReplyId != 0 && m_expectedReplyId != m_replyId) {
                DebugPrintf("WNET: Expecting 0x%02x, got 0x%02x", m_expectedReplyId, m_replyId);
                m_result = kNetCorrupt;
            } else {
                DebugPrintf("WNET: Request successful, got 0x%02x", m_replyId);
            }
        }
    }
    // Transport failures are tried again, except the request's own timeout.
    if (m_result >= 240 && m_result != kNetTimeout && --m_retries > 0) {
        FreeReply();
        m_replyId = 0;
        DebugPrintf("WNET: net error occurred (0x%02x), retrying request...", m_result);
        m_result = kNetOk;
        m_socketError = 0;
        const std::int32_t started = StartTransport();
        if (started == kNetOk) return;
        m_result = started;
    }
    m_state = kComplete;
    DebugPrintf("WNET: complete (0x%02x)", m_result);
}

void CWNet::FreeBlob(NetBlob& blob) { CWUtil::FreeBlob(blob); }

std::int32_t CWNet::DecodeString(const NetBlob& blob, char16_t* buffer, std::int32_t capacity) {
    if (blob.data == nullptr || buffer == nullptr || capacity < 1) return kNetBadArgument;
    buffer[0] = u'\0';
    if (blob.length < 2) return kNetCorrupt;
    const std::uint32_t count = static_cast<std::uint32_t>(blob.data[0] << 8 | blob.data[1]);
    if (blob.length != 2 + count) return kNetCorrupt;
    Utf8ToUtf16(blob.data + 2, count, buffer, static_cast<std::uint32_t>(capacity));
    return kNetOk;
}
