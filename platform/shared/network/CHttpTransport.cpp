#include "platform/shared/network/CHttpTransport.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "platform/shared/core/CGenUtil.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/win32/CSocket_Win32.h"

namespace {

unsigned long Ul(std::uint32_t v) { return v; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive comparison of n bytes with a lower-case word.
bool SameWord(const char* text, const char* word, std::uint32_t n) {
    for (std::uint32_t i = 0; i < n; ++i) {
        if (Lower(text[i]) != word[i]) return false;
    }
    return true;
}

// The value of the field `name` (lower case, colon included) in the line:
// set to the text after the colon and its blanks, trailing blanks removed.
bool FieldValue(const char* line, std::uint32_t length, const char* name, const char** value, std::uint32_t* size) {
    const auto n = static_cast<std::uint32_t>(std::strlen(name));
    if (length < n || !SameWord(line, name, n)) return false;
    std::uint32_t start = n;
    while (start < length && IsBlank(line[start])) ++start;
    std::uint32_t end = length;
    while (end > start && IsBlank(line[end - 1])) --end;
    *value = line + start;
    *size = end - start;
    return true;
}

// Significant hexadecimal digits at the start of a chunk-size line.
std::uint32_t HexDigits(const char* line, std::uint32_t length) {
    std::uint32_t i = 0;
    while (i < length && line[i] == '0') ++i;
    const std::uint32_t first = i;
    while (i < length && std::isxdigit(static_cast<unsigned char>(line[i]))) ++i;
    return i - first;
}

}  // namespace

CHttpTransport::CHttpTransport() : CHttpTransport(CSocket_Win32::Create()) {}

CHttpTransport::CHttpTransport(ICSocket* socket) : CNetTransport(socket, "HTTPT", kFinishing, kDone) {}

CHttpTransport::~CHttpTransport() { DeleteChunks(); }

void CHttpTransport::Reset() {
    CNetTransport::Reset();
    m_status = 0;
    m_lengthKnown = 0;
    m_chunked = 0;
    DeleteChunks();
    m_chunkTotal = 0;
    m_chunkSize = 0;
    m_chunkLeft = 0;
    m_skipLeft = 0;
    m_line[0] = '\0';
    m_fill = 0;
}

void CHttpTransport::Step() {
    const std::uint32_t received = m_socket->GetBytesTransferred();
    switch (m_state) {
    case kConnecting: {
        // An empty path would make the request line "POST  HTTP/1.1".
        const char* path = m_path.GetLength() > 0 ? m_path.GetBuffer() : "/";
        int length = 0;
        SNPrintf(m_line, sizeof m_line,
                 "POST %s HTTP/1.1\r\nHost: %s:%hu\r\nUser-Agent: Zel Native\r\nContent-Length: %lu\r\n"
                 "Content-Type: application/octet-stream\r\n\r\n%n",
                 path, m_host.GetBuffer(), m_port, Ul(m_frameLength), &length);
        m_state = kSendingText;
        if (length >= static_cast<int>(kLineSize)) {
            CheckError(kNetBadArgument);  // the URL is too long for the request text
        } else {
            Send(m_line, static_cast<std::uint32_t>(length));
        }
        break;
    }
    case kSendingText:
        m_state = kSendingFrame;
        Send(m_frame, m_frameLength);
        break;
    case kSendingFrame:
        m_state = kFirstHeader;
        Receive(m_line, kLineSize);
        break;
    case kFirstHeader:
        m_state = kHeader;
        m_fill += received;
        ReadHeaderLines();
        break;
    case kHeader:
    case kTrailer:
        m_fill += received;
        ReadHeaderLines();
        break;
    case kBody:
        m_fill += received;
        ContinueBody();
        break;
    case kChunks:
        m_fill += received;
        ReadChunks();
        break;
    default:
        break;
    }
}

void CHttpTransport::Drop(std::uint32_t n) {
    std::memmove(m_line, m_line + n, m_fill - n);
    m_fill -= n;
    m_line[m_fill] = '\0';
}

std::int64_t CHttpTransport::FindLineEnd(std::uint32_t from) const {
    for (std::uint32_t i = from; i + 1 < m_fill; ++i) {
        if (m_line[i] == '\r' && m_line[i + 1] == '\n') return i;
    }
    return -1;
}

void CHttpTransport::ReadHeaderLines() {
    m_line[m_fill] = '\0';
    std::uint32_t position = 0;
    bool taken = false;
    for (std::int64_t end; (end = FindLineEnd(position)) >= 0;) {
        taken = true;
        const auto length = static_cast<std::uint32_t>(end) - position;
        if (length == 0) {
            Drop(position + 2);
            EndOfHeader();
            return;
        }
        if (!ParseHeaderLine(m_line + position, length)) {
            DebugPrintf("HTTPT: Receive response header - corrupt data");
            CheckError(kNetCorrupt);
            return;
        }
        position += length + 2;
    }
    if (m_fill == kLineSize && !taken) {
        DebugPrintf("HTTPT: Receive response header - corrupt data or insufficient buffer");
        CheckError(kNetCorrupt);
        return;
    }
    Drop(position);
    ReceiveLines();
}

bool CHttpTransport::ParseHeaderLine(const char* line, std::uint32_t length) {
    if (m_status == 0) {
        // "HTTP/1.1 200 OK", the reason phrase optional.
        const char* space = length > 5 && std::memcmp(line, "HTTP/", 5) == 0
                                ? static_cast<const char*>(std::memchr(line, ' ', length))
                                : nullptr;
        std::int32_t status = 0;
        for (const char* c = space != nullptr ? space + 1 : line + length; c < line + length && IsDigit(*c); ++c) {
            status = std::min(status * 10 + (*c - '0'), 100000);
        }
        if (status == 0) {
            DebugPrintf("HTTPT: Parse HTTP header - couldn't find HTTP response code");
            return false;
        }
        m_status = status;
        DebugPrintf("HTTPT: Parse header - found HTTP response code: %i", status);
        return true;
    }
    if (m_lengthKnown || m_chunked) return true;  // the first of the two wins
    const char* value = nullptr;
    std::uint32_t size = 0;
    if (FieldValue(line, length, "content-length:", &value, &size)) {
        std::uint64_t contentLength = 0;
        for (std::uint32_t i = 0; i < size; ++i) {
            if (!IsDigit(value[i])) return false;
            contentLength = std::min<std::uint64_t>(contentLength * 10 + static_cast<std::uint32_t>(value[i] - '0'),
                                                    std::uint64_t{kNetMaxReply} + 1);
        }
        if (size == 0 || contentLength > kNetMaxReply) return false;
        m_replyLength = static_cast<std::uint32_t>(contentLength);
        m_lengthKnown = 1;
        DebugPrintf("HTTPT: Parse HTTP header - found content length: %lu", Ul(m_replyLength));
    } else if (FieldValue(line, length, "transfer-encoding:", &value, &size) && size == 7 &&
               SameWord(value, "chunked", 7)) {
        m_chunked = 1;
        DebugPrintf("HTTPT: Parse HTTP header - response is chunked!");
    }
    return true;
}

void CHttpTransport::EndOfHeader() {
    if (m_chunked) {
        if (m_state == kTrailer) {
            DebugPrintf("HTTPT: Receive extra response headers - complete");
            m_state = kFinishing;
        } else {
            BeginChunks();
        }
        return;
    }
    if (m_replyLength != 0) {
        m_reply = new (std::nothrow) std::uint8_t[m_replyLength];
        if (m_reply == nullptr) {
            DebugPrintf("HTTPT: Receive response header - couldn't allocate response buffer!");
            CheckError(kNetNoMemory);
            return;
        }
        m_fill = std::min(m_fill, m_replyLength);
        std::memcpy(m_reply, m_line, m_fill);
    }
    ContinueBody();
}

void CHttpTransport::ContinueBody() {
    if (m_status != 200) {
        DebugPrintf("HTTPT: Receive response - request failed, ignoring response data");
        CheckError(kNetHttpStatus);
    } else if (m_replyLength != 0 && m_fill < m_replyLength) {
        m_state = kBody;
        Receive(m_reply + m_fill, m_replyLength - m_fill);
    } else {
        DebugPrintf("HTTPT: Receive response - complete");
        m_state = kFinishing;
    }
}

void CHttpTransport::BeginChunks() {
    m_state = kChunks;
    if (m_status != 200) {
        DebugPrintf("HTTPT: Receive chunked response - request failed, ignoring response data");
        CheckError(kNetHttpStatus);
    } else if (m_fill == 0) {
        ReceiveLines();
    } else {
        ReadChunks();
    }
}

// A chunk's data may be longer than the line buffer: what the buffer holds
// is collected, the rest as it arrives; then the two bytes after the data
// are passed over.
void CHttpTransport::ReadChunks() {
    m_line[m_fill] = '\0';
    std::uint32_t position = 0;
    for (;;) {
        if (m_chunkLeft > 0) {
            const std::uint32_t n = std::min(m_chunkLeft, m_fill - position);
            if (n > 0 && !AddChunkData(reinterpret_cast<const std::uint8_t*>(m_line + position), n)) {
                DebugPrintf("HTTPT: Parse chunked response - failed to allocate parsed data chunk of length %lu",
                            Ul(m_chunkSize));
                CheckError(kNetNoMemory);
                return;
            }
            position += n;
            m_chunkLeft -= n;
            if (m_chunkLeft > 0) break;
            DebugPrintf("HTTPT: Parse chunked response - parsed data chunk of length %lu, total %lu", Ul(m_chunkSize),
                        Ul(m_chunkTotal));
            m_skipLeft = 2;
        }
        if (m_skipLeft > 0) {
            const std::uint32_t n = std::min(m_skipLeft, m_fill - position);
            position += n;
            m_skipLeft -= n;
            if (m_skipLeft > 0) break;
        }
        const std::int64_t end = FindLineEnd(position);
        if (end < 0) break;
        const char* line = m_line + position;
        const auto length = static_cast<std::uint32_t>(end) - position;
        if (length == 0) {
            DebugPrintf("HTTPT: Parse chunked response - premature end of data!");
            CheckError(kNetCorrupt);
            return;
        }
        // Sizes are compared in 64 bits: no total may pass the reply limit.
        const std::uint32_t size = HexDigits(line, length) > 8 ? 0xFFFFFFFFu : CGenUtil::ParseHex(line);
        if (std::uint64_t{m_chunkTotal} + size > kNetMaxReply) {
            DebugPrintf("HTTPT: Receive chunked response - corrupt data or insufficient buffer");
            CheckError(kNetCorrupt);
            return;
        }
        position += length + 2;
        if (size > 0) {
            m_chunkSize = size;
            m_chunkLeft = size;
            continue;
        }
        DebugPrintf("HTTPT: Parse chunked response - parsed final data chunk");
        Drop(position);
        if (!AssembleChunks()) {
            DebugPrintf("HTTPT: Parse chunked response - failed to created response");
            CheckError(kNetNoMemory);
            return;
        }
        DebugPrintf("HTTPT: Parse chunked response - successfully created response, size %lu", Ul(m_replyLength));
        m_state = kTrailer;
        if (m_fill == 0) {
            ReceiveLines();
        } else {
            ReadHeaderLines();
        }
        return;
    }
    if (m_fill == kLineSize && position == 0) {
        DebugPrintf("HTTPT: Receive chunked response - corrupt data or insufficient buffer");
        CheckError(kNetCorrupt);
        return;
    }
    Drop(position);
    ReceiveLines();
}

bool CHttpTransport::AddChunkData(const std::uint8_t* data, std::uint32_t n) {
    DebugPrintf("HTTPT: Adding chunked response data, size %lu", Ul(n));
    auto* last = static_cast<CHttpDataChunk*>(m_chunks.GetTail());
    while (n > 0) {
        bool fresh = false;
        if (last == nullptr || last->m_used == CHttpDataChunk::kCapacity) {
            last = new (std::nothrow) CHttpDataChunk();
            if (last == nullptr) {
                DebugPrintf("HTTPT: failed to allocate chunk");
                return false;
            }
            m_chunks.AddTail(last, nullptr);
            fresh = true;
        }
        const std::uint32_t piece = std::min(n, CHttpDataChunk::kCapacity - last->m_used);
        DebugPrintf(fresh ? "HTTPT: Adding %lu byte(s) to new chunk" : "HTTPT: Adding %lu byte(s) to previous chunk",
                    Ul(piece));
        std::memcpy(last->m_data + last->m_used, data, piece);
        last->m_used += piece;
        m_chunkTotal += piece;
        data += piece;
        n -= piece;
    }
    return true;
}

bool CHttpTransport::AssembleChunks() {
    m_replyLength = m_chunkTotal;
    if (m_chunkTotal == 0) return true;
    m_reply = new (std::nothrow) std::uint8_t[m_chunkTotal];
    if (m_reply == nullptr) {
        m_replyLength = 0;
        return false;
    }
    std::uint32_t at = 0;
    for (CLinkListNode* node = m_chunks.GetHead(); node != nullptr; node = node->GetNext()) {
        const auto* chunk = static_cast<const CHttpDataChunk*>(node);
        std::memcpy(m_reply + at, chunk->m_data, chunk->m_used);
        at += chunk->m_used;
    }
    DeleteChunks();
    return true;
}

void CHttpTransport::DeleteChunks() {
    while (CLinkListNode* node = m_chunks.GetHead()) {
        node->Unlink();
        delete static_cast<CHttpDataChunk*>(node);
    }
}

std::int32_t CHttpTransport::GetProgress(std::int32_t* percent) const {
    std::int32_t phase = 0, value = 0;
    switch (m_state) {
    case kStarted:
    case kConnecting:
        phase = m_state;
        break;
    case kSendingText:
    case kSendingFrame:
        phase = 3;
        break;
    case kBody:
        phase = 4;
        value = m_replyLength != 0 ? static_cast<std::int32_t>(std::uint64_t{m_fill} * 100 / m_replyLength) : 0;
        break;
    case kTrailer:
        phase = 4;
        value = 100;
        break;
    case kFirstHeader:
    case kHeader:
    case kChunks:
        phase = 4;
        break;
    case kFinishing:
        phase = 5;
        value = 100;
        break;
    default:
        break;
    }
    if (percent != nullptr) *percent = value;
    return phase;
}
