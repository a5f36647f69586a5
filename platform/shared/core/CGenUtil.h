// Free-standing helpers of the core library.
#pragma once

#include <cstdint>

class CGenUtil {
public:
    // Hexadecimal digits from the start up to the first non-digit; no prefix,
    // no sign; beyond eight digits the oldest ones are shifted out.
    static std::uint32_t ParseHex(const char* text);
    // Index of the key in an ascending array of signed values, or -1.
    static std::int32_t BinarySearch(const std::int32_t* values, std::uint32_t count, std::int32_t key);
    // Clips the span [position, position + length) to the range
    // [rangePos, rangePos + rangeLen); a span outside it gets length 0.
    static void ClipSpan(std::int16_t rangePos, std::int16_t rangeLen, std::int16_t& position, std::int16_t& length);
    // Inflates the zlib stream of sourceLength bytes at source + offset into
    // the destination. True only when zlib succeeds and exactly
    // destinationLength bytes come out; an empty source is true at once.
    static bool Uncompress(const std::uint8_t* source, std::uint32_t sourceLength, std::uint32_t offset,
                           std::uint8_t* destination, std::uint32_t destinationLength);
};
