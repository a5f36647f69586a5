// The BMP fuzz target's body and seeds, shared with the test that replays
// them. The input is 6 bytes of drawing parameters followed by a bitmap.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tools/BmpWriter.h"

namespace fuzz {

// Bitmaps of each depth, colour-table length and colours-used field.
inline std::vector<vktools::Bytes> BmpSeeds() {
    std::vector<vktools::Bytes> seeds;
    std::uint32_t n = 0;
    for (const std::uint16_t bits : {4, 8, 24}) {
        for (const std::int32_t used : {0, 2, 16, 300}) {
            if (bits == 4 && used == 300) continue;
            vktools::BmpDesc bmp;
            bmp.width = 1 + static_cast<std::int32_t>(n % 7);
            bmp.height = 1 + static_cast<std::int32_t>(n % 5);
            bmp.bitCount = bits;
            bmp.coloursUsed = bits == 24 ? 0 : used;
            const std::uint32_t entries = bits == 24 ? 0 : used != 0 ? static_cast<std::uint32_t>(used) : 1u << bits;
            for (std::uint32_t i = 0; i < entries; ++i) bmp.palette.push_back(i % 5 == 0 ? 0xFF00FF : i * 0x10305);
            for (std::int32_t i = 0; i < bmp.width * bmp.height; ++i) {
                bmp.pixels.push_back(bits == 24 ? (i % 3 == 0 ? 0xFF00FF : i * 0x20406u) : i % (1u << bits));
            }
            vktools::Bytes input = {static_cast<std::uint8_t>(n * 5 - 7), static_cast<std::uint8_t>(n * 3 - 4),
                                    static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n * 7),
                                    static_cast<std::uint8_t>(n % 3 - 1), static_cast<std::uint8_t>(n % 2)};
            const vktools::Bytes file = vktools::MakeBmp(bmp);
            input.insert(input.end(), file.begin(), file.end());
            seeds.push_back(input);
            ++n;
        }
    }
    return seeds;
}

// Parameters: x, y (signed), blit flags (low two bits), a caller palette's
// length in entries (taken from the bytes after the parameters), source x
// and y (signed). Each image kind, plain and rotated, in 565 and 8888, with
// and without the palette, is drawn into a target of the render surface's
// size: the sanitizers see any pixel written or read outside.
// Needs the application's blitter and an open graphics device.
inline int FuzzBmp(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t kHead = 6;
    if (size < kHead || size > 0xFFFFFFFF) return 0;
    const auto x = static_cast<std::int8_t>(data[0]);
    const auto y = static_cast<std::int8_t>(data[1]);
    const std::uint32_t flags = data[2] & 3u;
    const auto paletteBytes = static_cast<std::uint32_t>(std::min<std::size_t>(size - kHead, data[3] * 4u));
    const auto srcX = static_cast<std::int8_t>(data[4]);
    const auto srcY = static_cast<std::int8_t>(data[5]);

    std::int32_t width = 0, height = 0;
    ICGraphics2d::GetInstance()->GetRenderSurface()->GetSize(&width, &height);
    const CRect clip(-8, -8, static_cast<std::int16_t>(width + 16), static_cast<std::int16_t>(height + 16));
    CSoftwareBlitter* blitter = CGameApp::GetBlitter();
    for (const std::uint32_t format : {kPixelFormatRgb565, kPixelFormatXrgb8888}) {
        const auto pitch = static_cast<std::int32_t>(width * PixelFormatBytes(format));
        std::vector<std::uint8_t> target(static_cast<std::size_t>(pitch) * height);
        blitter->Init(format, target.data(), pitch);
        for (const std::uint8_t* palette : {static_cast<const std::uint8_t*>(nullptr), data + kHead}) {
            for (const bool rotated : {false, true}) {
                CNativeImage native(blitter);
                CPalettizedImage palettized(blitter);
                CSoftwareImage* const images[] = {&native, &palettized};
                for (CSoftwareImage* image : images) {
                    const auto n = static_cast<std::uint32_t>(size);
                    if (!(rotated ? image->CreateRotatedFromBmp(data, n, kHead, palette, paletteBytes)
                                  : image->CreateFromBmp(data, n, kHead, palette, paletteBytes))) {
                        continue;
                    }
                    image->Draw(&clip, x, y, image->GetWidth(), image->GetHeight(), srcX, srcY, flags);
                    image->Blit(&clip, y, x, image->GetWidth() + 3, image->GetHeight(), srcY, srcX, flags,
                                image->GetAlphaRowFunction(), data[3]);
                }
            }
        }
    }
    return 0;
}

}  // namespace fuzz
