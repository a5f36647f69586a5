// Drawing helpers on top of the graphics device: opaque fills in a 32-bit
// 0xAARRGGBB colour clipped to the render surface, frames, and tiling.
#pragma once

#include <cstdint>

#include "platform/shared/graphics/2d/CImage.h"
#include "platform/shared/graphics/2d/CRect.h"

class CDrawUtil {
public:
    // Fills the part of rect that lies on the render surface, always opaque.
    // The device's colour is the same afterwards. The device must be open.
    static void FillRect(const CRect* rect, std::uint32_t colour);
    // FillRect of (x, y, width, height), each cut to 16 bits, in the colour
    // r << 16 | g << 8 | b. The context is not used.
    static void FillRectRGB(const void* context, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, std::uint32_t r, std::uint32_t g, std::uint32_t b);
    // Up to four strips of the given thickness along the edges of rect,
    // each clipped to clip; mask bits 1, 2, 4 and 8 leave out the top,
    // bottom, left and right strips.
    static void DrawFrame(const CRect* clip, const CRect* rect, std::uint32_t colour, std::int32_t thickness,
                          std::int32_t mask);
    // Repeats the image over [left, right) x [top, bottom) from its top-left
    // corner, cutting the last row and column to the area.
    static void TileImage(const CRect* clip, CImage* image, std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom);
};
