// Carries a request frame as the body of an HTTP/1.1 POST and reads the
// reply body back, with a Content-Length or in chunks; only status 200 is
// a success. Polled: Start, then Update with the frame time until it is no
// longer busy. Log lines carry the tag "HTTPT:".
#pragma once

#include <cstdint>

#include "platform/shared/core/CLinkList.h"
#include "platform/shared/network/CNetTransport.h"

// A piece of a chunked reply's body, collected in order.
class CHttpDataChunk : public CLinkListNode {
public:
    static constexpr std::uint32_t kCapacity = 128;

    std::uint8_t m_data[kCapacity];
    std::uint32_t m_used = 0;
};

class CHttpTransport : public CNetTransport {
public:
    // With the platform's socket.
    CHttpTransport();
    // With the given socket, which it owns (null fails every request).
    explicit CHttpTransport(ICSocket* socket);
    ~CHttpTransport() override;

    std::int32_t GetProgress(std::int32_t* percent) const override;

private:
    enum State : std::int32_t {
        kIdle = 0,
        kStarted = 1,
        kConnecting = 2,
        kSendingText = 3,
        kSendingFrame = 4,
        kFirstHeader = 5,
        kHeader = 6,
        kBody = 7,
        kChunks = 8,
        kTrailer = 9,
        kFinishing = 10,
        kDone = 11,
    };
    // Request text going out, header and chunk-size lines coming in.
    static constexpr std::uint32_t kLineSize = 512;

    void Reset() override;
    void Step() override;
    void ReceiveLines() { Receive(m_line + m_fill, kLineSize - m_fill); }
    // Drops the first n bytes of the line buffer.
    void Drop(std::uint32_t n);
    // Index of the next "\r\n" at or after from, or -1.
    std::int64_t FindLineEnd(std::uint32_t from) const;

    void ReadHeaderLines();
    bool ParseHeaderLine(const char* line, std::uint32_t length);
    void EndOfHeader();
    void ContinueBody();
    void BeginChunks();
    void ReadChunks();
    bool AddChunkData(const std::uint8_t* data, std::uint32_t n);
    bool AssembleChunks();
    void DeleteChunks();

    std::int32_t m_status = 0;
    std::uint8_t m_lengthKnown = 0;
    std::uint8_t m_chunked = 0;
    CLinkList m_chunks;
    std::uint32_t m_chunkTotal = 0;
    std::uint32_t m_chunkSize = 0;  // the chunk being read
    std::uint32_t m_chunkLeft = 0;  // its data bytes still to come
    std::uint32_t m_skipLeft = 0;   // bytes after its data still to pass over
    char m_line[kLineSize + 1] = {};
    // Bytes in the line buffer; in a Content-Length body, the body bytes
    // received so far.
    std::uint32_t m_fill = 0;
};
