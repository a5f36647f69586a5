// Writer of uncompressed bottom-up BMP files (4, 8 or 24 bits per pixel),
// for tests, fuzz seeds and content.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/ByteWriter.h"

namespace vktools {

struct BmpDesc {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 8;
    // Colour table as 0x00RRGGBB, written as it stands (any length).
    std::vector<std::uint32_t> palette;
    // The header's colours-used field, written as it stands (0: all).
    std::int32_t coloursUsed = 0;
    // width x height values, top row first: palette indices for 4 and 8
    // bits, 0x00RRGGBB colours for 24 bits.
    std::vector<std::uint32_t> pixels;
};

// The file: 14-byte file header, 40-byte info header, the colour table,
// then the rows from the bottom up, each padded to a multiple of 4 bytes.
Bytes MakeBmp(const BmpDesc& bmp);

}  // namespace vktools
