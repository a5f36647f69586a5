// The request engine of the network services: frames one request at a time
// (header, key, checksum), hands it to the HTTP or the raw-socket
// transport, checks the reply header when the transport finishes, retries
// transport failures, and holds the reply until its owner takes it. All
// progress happens inside Update. Log lines carry the tag "WNET:".
#pragma once

#include <cstdint>

#include "platform/shared/network/CHttpTransport.h"
#include "platform/shared/network/CSwpTransport.h"
#include "platform/shared/network/NetTypes.h"

class CWNet {
public:
    static constexpr std::int32_t kTransportHttp = 1;  // any other type is the raw socket
    static constexpr std::uint32_t kUrlSize = 100;

    // Both transports with the platform's sockets.
    CWNet();
    // Both transports with the given sockets, which they own.
    CWNet(ICSocket* rawSocket, ICSocket* httpSocket);
    virtual ~CWNet();
    CWNet(const CWNet&) = delete;
    CWNet& operator=(const CWNet&) = delete;

    void SetConfig(const WNetConfig& config) { m_config = config; }

    // Frames and starts a request: 0 when it started, -1 while busy (nothing
    // changes), 1 for a bad argument (no URL or payload, an extra header
    // without its length or the reverse, a template without exactly one
    // integer conversion or longer than 99 characters once formatted, a
    // payload or extra header the frame cannot describe), 2 no memory, or the
    // transport's failure to start. A template URL is formatted with the
    // server id (0 is taken as 1).
    std::int32_t SendRequest(std::int32_t transportType, std::uint8_t messageId, std::int32_t expectedReplyId,
                             const char* url, bool urlIsTemplate, std::uint8_t serverId, bool keepConnection,
                             std::int32_t retries, const std::uint8_t* extra, std::uint32_t extraLength,
                             const std::uint8_t* payload, std::uint32_t payloadLength);
    void Update(std::uint32_t elapsedMs);

    bool IsBusy() const { return m_state == kInProgress; }
    // -1 while busy, else the last request's result.
    std::int32_t GetResult() const { return IsBusy() ? kNetBusy : m_result; }
    std::int32_t GetSocketError() const { return m_socketError; }
    std::int32_t GetProgress(std::int32_t* percent) const { return Active().GetProgress(percent); }

    // The reply (header and body) after a success.
    std::int32_t GetReplyId() const { return m_replyId; }
    std::uint8_t* GetReplyData() const { return m_reply; }
    std::uint32_t GetReplyLength() const { return m_replyLength; }
    // Forgets the reply without freeing it: the caller owns the block.
    void DetachReply();
    void FreeReply();

    // Cancels both transports and returns to idle; frame and reply are freed.
    void Cancel();

    static void FreeBlob(NetBlob& blob);
    // A blob of a big-endian u16 byte count n and n UTF-8 bytes, decoded into
    // at most capacity characters (terminator included): 0; 1 for no blob
    // data, no buffer or no capacity; 5, with an empty text, for a blob
    // whose length is not 2 + n.
    static std::int32_t DecodeString(const NetBlob& blob, char16_t* buffer, std::int32_t capacity);
    static const char* GetVersionString() { return "WNet Library Version: 1.2.1.0"; }
    static std::uint32_t GetVersion() { return 0x01010100; }

private:
    enum State : std::int32_t { kIdle = 0, kInProgress = 1, kComplete = 2 };

    CNetTransport& Active() { return m_transportType == kTransportHttp ? static_cast<CNetTransport&>(m_http) : m_raw; }
    const CNetTransport& Active() const {
        return m_transportType == kTransportHttp ? static_cast<const CNetTransport&>(m_http) : m_raw;
    }
    void Reset();
    // The URL field from the text or template; false when it does not fit.
    bool SetUrl(const char* url, bool urlIsTemplate, std::uint8_t serverId);
    std::int32_t StartTransport();
    void Complete();

    WNetConfig m_config;
    CSwpTransport m_raw;
    CHttpTransport m_http;
    std::int32_t m_state = kIdle;
    std::int32_t m_result = kNetOk;
    std::int32_t m_socketError = 0;
    char m_url[kUrlSize] = {};
    std::uint8_t* m_frame = nullptr;
    std::uint32_t m_frameLength = 0;
    std::int32_t m_transportType = 0;
    std::uint8_t m_keep = 0;
    std::int32_t m_retries = 0;
    std::int32_t m_expectedReplyId = 0;
    std::int32_t m_replyId = 0;
    std::uint8_t* m_reply = nullptr;
    std::uint32_t m_replyLength = 0;
};
