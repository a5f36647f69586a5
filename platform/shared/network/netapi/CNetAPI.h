// The base of the network services: one stored request (message id,
// payload, expected reply id and the transport settings) sent through a
// shared CWNet, polled with the frame time, and on completion the reply
// body read into the service's own reply object.
#pragma once

#include <cstdint>
#include <new>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CArrayOutputStream.h"
#include "platform/shared/network/CWNet.h"
#include "platform/shared/network/NetTypes.h"

// A reply object: the message id that was sent, the reply id, and the
// body of a reply the service does not know.
class CNetData {
public:
    CNetData() = default;
    virtual ~CNetData();
    CNetData(const CNetData&) = delete;
    CNetData& operator=(const CNetData&) = delete;

    std::int32_t GetRequestId() const { return m_requestId; }
    std::int32_t GetReplyId() const { return m_replyId; }
    void SetRequestId(std::int32_t id) { m_requestId = id; }
    void SetReplyId(std::int32_t id) { m_replyId = id; }
    // The whole body of an unknown reply id; empty otherwise.
    const NetBlob& GetBody() const { return m_body; }
    NetBlob& Body() { return m_body; }

private:
    std::int32_t m_requestId = 0;
    std::int32_t m_replyId = 0;
    NetBlob m_body;
};

// The array of a counted list in a reply, zeroed, when count records of at
// least minSize bytes can still follow in the stream: 0; 5 when they cannot
// (nothing is allocated); 2 without memory. A count of 0 allocates nothing.
template <typename Record>
std::int32_t AllocateRecords(Record*& records, std::uint32_t count, std::uint32_t minSize, CInputStream& stream) {
    records = nullptr;
    if (stream.HasError() != 0 || std::uint64_t{count} * minSize > stream.Available()) return kNetCorrupt;
    if (count == 0) return kNetOk;
    records = new (std::nothrow) Record[count]();
    return records != nullptr ? kNetOk : kNetNoMemory;
}

// The payload stream of a request builder: big-endian, and it remembers
// whether any write did not fit.
class CNetPayloadStream : public CArrayOutputStream {
public:
    CNetPayloadStream(std::uint8_t* payload, std::uint32_t size) : CArrayOutputStream(1) { Attach(payload, size); }
    void Write(const void* source, std::uint32_t n) override {
        CArrayOutputStream::Write(source, n);
        m_failed |= HasError() != 0;
    }
    // A u16 byte count and the UTF-8 form of the text (none: a count of 0).
    void WriteText(const char16_t* text);
    bool Failed() const { return m_failed; }

private:
    bool m_failed = false;
};

class CNetAPI {
public:
    CNetAPI() = default;
    // Reset(1).
    virtual ~CNetAPI();
    CNetAPI(const CNetAPI&) = delete;
    CNetAPI& operator=(const CNetAPI&) = delete;

    // The shared client (not owned); null is a programming error.
    void SetWNet(CWNet* client);
    // The URL or template (a printf format of the server id), cut to 99
    // characters; none empties it.
    void SetURL(const char* url, std::uint8_t isTemplate);
    void SetServerId(std::uint8_t id) { m_serverId = id; }
    void SetTransportType(std::int32_t type) { m_transportType = type; }
    void SetRetries(std::int32_t retries) { m_retries = retries; }
    void SetKeepConnection(std::uint8_t keep) { m_keepConnection = keep; }

    // Not busy, a client set and the client not busy.
    bool CanSend() const;
    // Sends the stored request: -1 when it cannot send, else the client's
    // result of starting it (0 when it started).
    std::int32_t Send();
    std::int32_t Resend() { return Send(); }
    void Update(std::uint32_t elapsedMs);

    bool IsBusy() const { return m_state == kInProgress; }
    std::int32_t GetResult() const { return m_result; }
    CNetData* GetData() const { return m_data; }
    // Forgets the reply object without deleting it: the caller owns it.
    CNetData* DetachData();

    // Cancels a running request; the service is idle again.
    void Cancel();
    void ClearRequest();
    void FreeData();
    void Reset(std::uint8_t clearRequest);

    // Every byte still available into the blob.
    static std::int32_t ReadBody(NetBlob& blob, CInputStream& stream);

protected:
    enum State : std::int32_t { kNotSent = 0, kInProgress = 1, kFinished = 2 };

    virtual CNetData* CreateData();
    // Reads the reply body into the reply object; 0 or a result code.
    virtual std::int32_t ParseData(CArrayInputStream& stream);

    // The first steps of every request builder: -1 when it cannot send, then
    // the previous request and reply go, then the payload of exactly size
    // bytes (2 when it cannot be allocated); 0 when all went well.
    std::int32_t BeginRequest(std::uint32_t size);
    // The last step: 5 when the payload did not take the writes, else the
    // request is stored and sent.
    std::int32_t EndRequest(const CNetPayloadStream& written, std::int32_t messageId, std::int32_t expectedReplyId);
    CNetPayloadStream PayloadStream() { return CNetPayloadStream(m_payload, m_payloadLength); }
    // The end of every reply reader: a reader's failure as it is, else 5 for
    // a stream error or a byte left over.
    static std::int32_t EndOfReply(std::int32_t result, CInputStream& stream);

    std::int32_t GetReplyId() const { return m_replyId; }

    CWNet* m_client = nullptr;
    char m_url[CWNet::kUrlSize] = {};
    std::uint8_t m_urlIsTemplate = 0;
    std::uint8_t m_serverId = 0;
    std::int32_t m_transportType = CWNet::kTransportHttp;
    std::int32_t m_retries = 3;
    std::uint8_t m_keepConnection = 0;
    std::int32_t m_messageId = 0;
    std::uint8_t* m_payload = nullptr;
    std::uint32_t m_payloadLength = 0;
    std::uint8_t* m_extra = nullptr;
    std::uint32_t m_extraLength = 0;
    std::int32_t m_expectedReplyId = 0;
    std::int32_t m_replyId = 0;
    CNetData* m_data = nullptr;
    std::int32_t m_state = kNotSent;
    std::int32_t m_result = kNetOk;
};
