#include "platform/shared/network/netapi/CNetAPI.h"

#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/network/CWUtil.h"

CNetData::~CNetData() { CWUtil::FreeBlob(m_body); }

void CNetPayloadStream::WriteText(const char16_t* text) {
    WriteUTF(text, text != nullptr ? WideStringLength(text) : 0);
    m_failed |= HasError() != 0;
}

CNetAPI::~CNetAPI() { Reset(1); }

void CNetAPI::SetWNet(CWNet* client) {
    DebugAssert(client != nullptr, "..\\..\\platform\\shared\\network\\netapi\\src\\CNetAPI.cpp", 58);
    m_client = client;
}

void CNetAPI::SetURL(const char* url, std::uint8_t isTemplate) {
    m_urlIsTemplate = isTemplate;
    m_url[0] = '\0';
    if (url != nullptr) SafeStrCopy(m_url, url, sizeof m_url);
}

bool CNetAPI::CanSend() const { return !IsBusy() && m_client != nullptr && !m_client->IsBusy(); }

std::int32_t CNetAPI::Send() {
    if (!CanSend()) return kNetBusy;
    const std::int32_t result = m_client->SendRequest(
        m_transportType, static_cast<std::uint8_t>(m_messageId), m_expectedReplyId, m_url, m_urlIsTemplate != 0,
        m_serverId, m_keepConnection != 0, m_retries, m_extra, m_extraLength, m_payload, m_payloadLength);
    m_state = result == kNetOk ? kInProgress : kFinished;
    return result;
}

void CNetAPI::Update(std::uint32_t elapsedMs) {
    if (m_state != kInProgress) return;
    m_client->Update(elapsedMs);
    if (m_client->IsBusy()) return;
    // The reply of an earlier request (a resend, or one whose body did not
    // parse) goes before this one's is made.
    FreeData();
    m_result = m_client->GetResult();
    m_replyId = m_client->GetReplyId();
    std::uint8_t* reply = m_client->GetReplyData();
    const std::uint32_t length = m_client->GetReplyLength();
    m_client->DetachReply();
    if (m_result == kNetOk) {
        if (reply == nullptr || length < 3) {
            m_result = kNetCorrupt;
        } else {
            // The body starts after the header; a header longer than the
            // reply leaves it empty.
            const std::uint32_t header = reply[1] * 2u;
            CArrayInputStream body(1);
            body.SetData(header < length ? reply + header : nullptr, header < length ? length - header : 0);
            m_data = CreateData();
            if (m_data == nullptr) {
                m_result = kNetNoMemory;
            } else {
                m_data->SetRequestId(m_messageId);
                m_data->SetReplyId(m_replyId);
                m_result = ParseData(body);
            }
        }
    }
    delete[] reply;
    m_state = kFinished;
}

CNetData* CNetAPI::DetachData() {
    CNetData* data = m_data;
    m_data = nullptr;
    return data;
}

void CNetAPI::Cancel() {
    if (IsBusy()) m_client->Cancel();
    m_state = kNotSent;
}

void CNetAPI::ClearRequest() {
    m_messageId = 0;
    delete[] m_payload;
    m_payload = nullptr;
    m_payloadLength = 0;
    delete[] m_extra;
    m_extra = nullptr;
    m_extraLength = 0;
    m_expectedReplyId = 0;
}

void CNetAPI::FreeData() {
    delete m_data;
    m_data = nullptr;
    m_replyId = 0;
}

void CNetAPI::Reset(std::uint8_t clearRequest) {
    if (clearRequest != 0) ClearRequest();
    FreeData();
    m_state = kFinished;
    m_result = kNetOk;
}

std::int32_t CNetAPI::ReadBody(NetBlob& blob, CInputStream& stream) {
    return CWUtil::ReadBlob(blob, stream, stream.Available());
}

CNetData* CNetAPI::CreateData() { return new (std::nothrow) CNetData(); }

std::int32_t CNetAPI::ParseData(CArrayInputStream&) { return kNetOk; }

std::int32_t CNetAPI::BeginRequest(std::uint32_t size) {
    if (!CanSend()) return kNetBusy;
    Reset(1);
    m_payload = new (std::nothrow) std::uint8_t[size];
    if (m_payload == nullptr) return kNetNoMemory;
    m_payloadLength = size;
    return kNetOk;
}

std::int32_t CNetAPI::EndRequest(const CNetPayloadStream& written, std::int32_t messageId,
                                 std::int32_t expectedReplyId) {
    if (written.Failed()) return kNetCorrupt;
    m_messageId = messageId;
    m_expectedReplyId = expectedReplyId;
    return Send();
}

std::int32_t CNetAPI::EndOfReply(std::int32_t result, CInputStream& stream) {
    if (result != kNetOk) return result;
    return stream.HasError() != 0 || stream.Available() != 0 ? kNetCorrupt : kNetOk;
}
