#include "tools/BmpWriter.h"

namespace vktools {

Bytes MakeBmp(const BmpDesc& bmp) {
    const std::uint32_t rowBytes = ((static_cast<std::uint32_t>(bmp.width) * bmp.bitCount + 31) >> 5) * 4;
    const auto tableBytes = static_cast<std::uint32_t>(bmp.palette.size() * 4);
    const std::uint32_t dataOffset = 14 + 40 + tableBytes;
    const std::uint32_t fileSize = dataOffset + rowBytes * static_cast<std::uint32_t>(bmp.height);

    ByteWriter w;
    w.Append("BM").U32(fileSize).U32(0).U32(dataOffset);
    w.U32(40).U32(static_cast<std::uint32_t>(bmp.width)).U32(static_cast<std::uint32_t>(bmp.height));
    w.U16(1).U16(bmp.bitCount).U32(0).U32(rowBytes * static_cast<std::uint32_t>(bmp.height));
    w.U32(2835).U32(2835).U32(static_cast<std::uint32_t>(bmp.coloursUsed)).U32(0);
    for (const std::uint32_t colour : bmp.palette) w.U32(colour & 0xFFFFFF);

    for (std::int32_t y = bmp.height - 1; y >= 0; --y) {
        Bytes row(rowBytes, 0);
        for (std::int32_t x = 0; x < bmp.width; ++x) {
            const std::uint32_t v = bmp.pixels.at(static_cast<std::size_t>(y) * bmp.width + x);
            if (bmp.bitCount == 4) {
                row[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4));
            } else if (bmp.bitCount == 8) {
                row[x] = static_cast<std::uint8_t>(v);
            } else {
                for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<std::uint8_t>(v >> (8 * c));
            }
        }
        w.Append(row);
    }
    return w.Take();
}

}  // namespace vktools
