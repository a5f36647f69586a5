#include "platform/shared/core/CGenUtil.h"

#include <zlib.h>

#include "platform/shared/core/Debug.h"

std::uint32_t CGenUtil::ParseHex(const char* text) {
    if (text == nullptr) return 0;
    std::uint32_t value = 0;
    for (const char* p = text;; ++p) {
        std::uint32_t digit;
        if (*p >= '0' && *p <= '9') {
            digit = static_cast<std::uint32_t>(*p - '0');
        } else if (*p >= 'a' && *p <= 'f') {
            digit = static_cast<std::uint32_t>(*p - 'a' + 10);
        } else if (*p >= 'A' && *p <= 'F') {
            digit = static_cast<std::uint32_t>(*p - 'A' + 10);
        } else {
            return value;
        }
        value = value * 16 + digit;
    }
}

std::int32_t CGenUtil::BinarySearch(const std::int32_t* values, std::uint32_t count, std::int32_t key) {
    if (values == nullptr) return -1;
    // 64-bit bounds: every count is searchable and low + high cannot overflow.
    std::int64_t low = 0;
    std::int64_t high = static_cast<std::int64_t>(count) - 1;
    while (low <= high) {
        const std::int64_t middle = (low + high) >> 1;
        if (values[middle] == key) return static_cast<std::int32_t>(middle);
        if (key < values[middle]) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
    }
    return -1;
}

void CGenUtil::ClipSpan(std::int16_t rangePos, std::int16_t rangeLen, std::int16_t& position,
                        std::int16_t& length) {
    const std::int32_t rangeEnd = rangePos + rangeLen;
    std::int32_t p = position;
    std::int32_t l = length;
    if (rangeEnd <= p || rangePos >= p + l) {
        length = 0;
        return;
    }
    const std::int32_t original = l;
    if (p + l > rangeEnd) l = rangeEnd - p;
    if (p < rangePos) {
        l -= rangePos - p;
        p = rangePos;
    }
    if ((original > 0 && l < 0) || (original < 0 && l > 0)) l = 0;
    position = static_cast<std::int16_t>(p);
    length = static_cast<std::int16_t>(l);
}

bool CGenUtil::Uncompress(const std::uint8_t* source, std::uint32_t sourceLength, std::uint32_t offset,
                          std::uint8_t* destination, std::uint32_t destinationLength) {
    DebugAssert(destination != nullptr, "CGenUtil", 176);
    if (source == nullptr || sourceLength == 0) return true;
    uLongf produced = destinationLength;
    const int status = uncompress(destination, &produced, source + offset, sourceLength);
    return status == Z_OK && static_cast<std::uint64_t>(produced) == destinationLength;
}
