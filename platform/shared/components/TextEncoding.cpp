#include "platform/shared/components/TextEncoding.h"

#include "platform/shared/components/CArrayOutputStream.h"

namespace {

constexpr std::uint32_t kPrefixSize = 2;

bool IsContinuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

// Length of the sequence that starts with the lead byte, 0 for a byte that
// cannot start one.
std::uint32_t SequenceLength(std::uint8_t lead) {
    switch (lead >> 4) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: return 1;
        case 12: case 13: return 2;
        case 14: return 3;
        default: return 0;
    }
}

// Decodes the sequence at utf8[pos]; false when it is malformed or runs past
// the end.
bool DecodeOne(const std::uint8_t* utf8, std::uint32_t count, std::uint32_t& pos, char16_t& unit) {
    const std::uint8_t b = utf8[pos];
    const std::uint32_t length = SequenceLength(b);
    if (length == 0 || count - pos < length) return false;
    for (std::uint32_t i = 1; i < length; ++i) {
        if (!IsContinuation(utf8[pos + i])) return false;
    }
    if (length == 1) {
        unit = b;
    } else if (length == 2) {
        unit = static_cast<char16_t>(((b & 0x1F) << 6) | (utf8[pos + 1] & 0x3F));
    } else {
        unit = static_cast<char16_t>(((b & 0x0F) << 12) | ((utf8[pos + 1] & 0x3F) << 6) | (utf8[pos + 2] & 0x3F));
    }
    pos += length;
    return true;
}

std::uint32_t EncodedLength(char16_t u) {
    if (u >= 1 && u <= 127) return 1;
    if (u < 2048) return 2;
    return 3;
}

}  // namespace

std::uint32_t Utf8ToUtf16(const std::uint8_t* utf8, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    if (utf8 == nullptr || out == nullptr || capacity == 0) return 0;
    std::uint32_t pos = 0;
    std::uint32_t written = 0;
    bool error = false;
    while (pos < count && written < capacity) {
        char16_t unit = 0;
        if (!DecodeOne(utf8, count, pos, unit)) {
            error = true;
            break;
        }
        out[written++] = unit;
    }
    out[error ? 0 : (written < capacity - 1 ? written : capacity - 1)] = u'\0';
    return written;
}

std::uint32_t Utf16ToUtf8(const char16_t* text, std::uint32_t count, std::uint8_t* out, std::uint32_t capacity) {
    if (text == nullptr || out == nullptr) return 0;
    const std::uint32_t total = Utf8LengthOfUtf16(text, count);
    std::uint32_t pos = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const char16_t u = text[i];
        const std::uint32_t length = EncodedLength(u);
        if (capacity - pos < length) break;
        if (length == 1) {
            out[pos] = static_cast<std::uint8_t>(u);
        } else if (length == 2) {
            out[pos] = static_cast<std::uint8_t>(0xC0 | ((u >> 6) & 0x1F));
            out[pos + 1] = static_cast<std::uint8_t>(0x80 | (u & 0x3F));
        } else {
            out[pos] = static_cast<std::uint8_t>(0xE0 | (u >> 12));
            out[pos + 1] = static_cast<std::uint8_t>(0x80 | ((u >> 6) & 0x3F));
            out[pos + 2] = static_cast<std::uint8_t>(0x80 | (u & 0x3F));
        }
        pos += length;
    }
    return total;
}

std::uint32_t Utf8LengthOfUtf16(const char16_t* text, std::uint32_t count) {
    if (text == nullptr) return 0;
    std::uint32_t total = 0;
    for (std::uint32_t i = 0; i < count; ++i) total += EncodedLength(text[i]);
    return total;
}

std::uint32_t Utf8CharCount(const std::uint8_t* utf8, std::uint32_t count) {
    if (utf8 == nullptr) return 0;
    std::uint32_t pos = 0;
    std::uint32_t chars = 0;
    while (pos < count) {
        char16_t unit = 0;
        if (!DecodeOne(utf8, count, pos, unit)) return 0;
        ++chars;
    }
    return chars;
}

std::uint32_t Utf8PrefixedToUtf16(const std::uint8_t* bytes, std::uint32_t count, char16_t* out, std::uint32_t capacity) {
    if (bytes == nullptr || count <= kPrefixSize) return 0;
    return Utf8ToUtf16(bytes + kPrefixSize, count - kPrefixSize, out, capacity);
}

std::uint32_t Utf16ToUtf8Prefixed(const char16_t* text, std::uint32_t count, std::uint8_t* out, std::uint32_t capacity) {
    if (out == nullptr || capacity <= kPrefixSize) return 0;
    const std::uint32_t length = Utf16ToUtf8(text, count, out + kPrefixSize, capacity - kPrefixSize);
    CArrayOutputStream prefix;
    prefix.Attach(out, kPrefixSize);
    prefix.WriteU16(static_cast<std::uint16_t>(length));
    return length + kPrefixSize;
}

std::uint32_t Utf8PrefixedSize(const char16_t* text, std::uint32_t count) {
    return Utf8LengthOfUtf16(text, count) + kPrefixSize;
}

std::uint32_t Utf8PrefixedCharCount(const std::uint8_t* bytes, std::uint32_t count) {
    if (bytes == nullptr || count < kPrefixSize + 1) return 0;
    return Utf8CharCount(bytes + kPrefixSize, count - kPrefixSize);
}
