// 16-bit samples as the little-endian bytes of a PCM buffer.
#pragma once

#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> PcmBytes(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t s : samples) {
        bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
    }
    return bytes;
}
