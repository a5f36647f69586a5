#include "src/DrawingUtil.h"

#include <cstring>

#include "platform/shared/core/Debug.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"

namespace {

constexpr const char* kSource = "..\\..\\src\\DrawingUtil";

struct LineContext {
    std::int32_t pitch;
    std::uint8_t* first;
};

std::int32_t Sign(std::int32_t v) { return (v > 0) - (v < 0); }

// Steps along the major axis from the first pixel, one pixel a step, the
// minor axis moving when the error term says so; the end point is not
// drawn.
template <typename Pixel>
void Line(const LineContext& line, std::int32_t dx, std::int32_t dy, std::uint32_t colour, Pixel pixel) {
    if ((colour >> 24) == 0) return;
    const std::int32_t sx = Sign(dx);
    const std::int32_t sy = Sign(dy);
    const std::int32_t endX = dx - sx;
    const std::int32_t endY = dy - sy;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    std::int32_t x = 0;
    std::int32_t y = 0;
    const auto put = [&] {
        std::memcpy(line.first + static_cast<std::ptrdiff_t>(x) * static_cast<std::ptrdiff_t>(sizeof(Pixel)) +
                        static_cast<std::ptrdiff_t>(y) * line.pitch,
                    &pixel, sizeof(Pixel));
    };
    if (dy <= dx) {
        for (std::int32_t e = 2 * dy - dx;; e += 2 * dy) {
            put();
            if (x == endX) return;
            if (e >= 0) {
                e -= 2 * dx;
                y += sy;
            }
            x += sx;
        }
    }
    for (std::int32_t e = 2 * dx - dy;; e += 2 * dx) {
        put();
        if (y == endY) return;
        if (e >= 0) {
            e -= 2 * dy;
            x += sx;
        }
        y += sy;
    }
}

}  // namespace

void GetScreenSize(std::int32_t* width, std::int32_t* height, const char* source, int line) {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, source, line);
    surface->GetSize(width, height);
}

void DrawLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t colour) {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, kSource, __LINE__);
    std::int32_t width = 0;
    std::int32_t height = 0;
    surface->GetSize(&width, &height);
    x0 = ClampInt(x0, 0, width - 1);
    x1 = ClampInt(x1, 0, width - 1);
    y0 = ClampInt(y0, 0, height - 1);
    y1 = ClampInt(y1, 0, height - 1);

    std::uint8_t* pixels = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&pixels, &pitch);
    if (pixels == nullptr) return;
    const PixelFormat format = surface->GetPixelFormat();
    const LineContext line{pitch, pixels + static_cast<std::ptrdiff_t>(pitch) * y0 +
                                      static_cast<std::ptrdiff_t>(PixelFormatBytes(format)) * x0};
    const std::int32_t dx = x1 - x0;
    const std::int32_t dy = y1 - y0;
    if (dx == 0 && dy == 0) return;
    const std::uint32_t r = (colour >> 16) & 0xFF;
    const std::uint32_t g = (colour >> 8) & 0xFF;
    const std::uint32_t b = colour & 0xFF;
    switch (format) {
        case kPixelFormatRgb565:
            Line(line, dx, dy, colour, static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3));
            break;
        case kPixelFormatRgb666:
            Line(line, dx, dy, colour, (r >> 2) << 12 | (g >> 2) << 6 | b >> 2);
            break;
        case kPixelFormatXrgb8888:
            Line(line, dx, dy, colour, 0xFF000000u | r << 16 | g << 8 | b);
            break;
        default:
            break;
    }
}

void DrawRect(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint32_t colour) {
    DrawLine(x, y, x + w, y, colour);
    DrawLine(x + w, y, x + w, y + h, colour);
    DrawLine(x, y + h, x + w, y + h, colour);
    DrawLine(x, y, x, y + h, colour);
}
