#include "platform/shared/graphics/2d/CDrawUtil.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "platform/shared/graphics/2d/RectUtil.h"

void CDrawUtil::FillRect(const CRect* rect, std::uint32_t colour) {
    colour |= 0xFF000000u;
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, "CDrawUtil", 35);
    const FixedColour saved = *graphics->GetColour();

    const std::uint8_t argb[4] = {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                                  static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 24)};
    FixedColour fixed{};
    PixelToFixedColour(&fixed, kPixelFormatArgb8888, argb);

    CRect area = *rect;
    ClipToSurface(&area, surface);

    graphics->SetColour(&fixed);
    graphics->FillRect(&area);
    graphics->SetColour(&saved);
}

void CDrawUtil::FillRectRGB(const void*, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    const auto s16 = [](std::int32_t value) { return static_cast<std::int16_t>(value); };
    const CRect rect(s16(x), s16(y), s16(width), s16(height));
    FillRect(&rect, r << 16 | g << 8 | b);
}

void CDrawUtil::DrawFrame(const CRect* clip, const CRect* rect, std::uint32_t colour, std::int32_t thickness,
                          std::int32_t mask) {
    const auto t = static_cast<std::int16_t>(thickness);
    const auto s16 = [](std::int32_t value) { return static_cast<std::int16_t>(value); };
    const CRect strips[4] = {
        CRect(rect->x, rect->y, rect->w, t),
        CRect(rect->x, s16(rect->y + rect->h - t), rect->w, t),
        CRect(rect->x, rect->y, t, rect->h),
        CRect(s16(rect->x + rect->w - t), rect->y, t, rect->h),
    };
    for (int i = 0; i < 4; ++i) {
        if (mask & (1 << i)) continue;
        CRect strip = strips[i];
        ClipRect(&strip, clip);
        if (strip.w != 0 && strip.h != 0) FillRect(&strip, colour);
    }
}

void CDrawUtil::TileImage(const CRect* clip, CImage* image, std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom) {
    if (image == nullptr) return;
    const std::int64_t width = image->GetWidth();
    const std::int64_t height = image->GetHeight();
    if (width <= 0 || height <= 0) return;  // the tiles would never advance
    for (std::int64_t y = top; y < bottom; y += height) {
        for (std::int64_t x = left; x < right; x += width) {
            image->DrawRegion(clip, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                              static_cast<std::int32_t>(std::min(width, right - x)),
                              static_cast<std::int32_t>(std::min(height, bottom - y)), 0, 0);
        }
    }
}
