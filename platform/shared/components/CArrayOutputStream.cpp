#include "platform/shared/components/CArrayOutputStream.h"

#include "platform/shared/components/TextEncoding.h"
#include "platform/shared/core/StringUtil.h"

namespace {

constexpr std::uint32_t kMaxUtfBytes = 0xFFFF;

}  // namespace

int CArrayOutputStream::Attach(void* buffer, std::uint32_t capacity) {
    m_error = 1;
    if (buffer == nullptr && capacity != 0) return 0;
    m_buffer = static_cast<std::uint8_t*>(buffer);
    m_capacity = capacity;
    m_position = 0;
    m_error = 0;
    return 1;
}

void CArrayOutputStream::Reset() {
    m_buffer = nullptr;
    m_capacity = 0;
    m_position = 0;
}

void CArrayOutputStream::Write(const void* source, std::uint32_t n) {
    m_error = 1;
    if (m_buffer == nullptr || source == nullptr) return;
    m_error = n > Room() ? 1 : 0;
    const auto* bytes = static_cast<const std::uint8_t*>(source);
    for (std::uint32_t i = 0; i < n && m_position < m_capacity; ++i) m_buffer[m_position++] = bytes[i];
}

void CArrayOutputStream::WriteUTF(const char16_t* text, std::uint32_t length) {
    const std::uint32_t utf8Length = Utf8LengthOfUtf16(text, length);
    if (utf8Length > kMaxUtfBytes) {
        // The count could not describe the bytes that follow it.
        m_error = 1;
        return;
    }
    const std::uint32_t room = Room();
    const std::uint32_t k = utf8Length < room ? utf8Length : room;
    const std::uint8_t swap = m_swap;
    m_swap = 1;
    WriteU16(static_cast<std::uint16_t>(k));
    m_swap = swap;
    WriteUtf8Units(k, text, length);
}

std::uint32_t CArrayOutputStream::WriteUtf8Chars(std::uint32_t n, const char16_t* text) {
    return WriteUtf8Units(n, text, text == nullptr ? 0 : WideStringLength(text));
}

// Stores at most n bytes of the UTF-8 form of the units; the error flag
// reports whether fewer than n bytes could be stored.
std::uint32_t CArrayOutputStream::WriteUtf8Units(std::uint32_t n, const char16_t* text, std::uint32_t units) {
    const std::uint32_t room = Room();
    const std::uint32_t m = n < room ? n : room;
    if (m == 0) {
        if (n > 0) m_error = 1;
        return Utf8LengthOfUtf16(text, units);
    }
    m_error = n > m ? 1 : 0;
    const std::uint32_t total = Utf16ToUtf8(text, units, m_buffer + m_position, m);
    // Only whole sequences are stored: advance past those that fit.
    std::uint32_t stored = 0;
    for (std::uint32_t i = 0; i < units; ++i) {
        const std::uint32_t length = Utf8LengthOfUtf16(text + i, 1);
        if (m - stored < length) break;
        stored += length;
    }
    m_position += stored;
    return total;
}
