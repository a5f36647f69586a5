#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "platform/shared/win32/CRenderSurface_WinMobile_MGL.h"
#include "src/DrawingUtil.h"
#include "tests/framework/FrameworkApp.h"

namespace {

using Point = std::pair<std::int32_t, std::int32_t>;

constexpr std::int32_t kSize = 100;  // the back buffer's width and height

// The back buffer of one display format, locked as a frame locks it.
class Canvas {
public:
    explicit Canvas(PixelFormat format)
        : m_app(format == kPixelFormatRgb565 ? host::kDisplayRgb565 : host::kDisplayXrgb8888, kSize, kSize) {
        m_surface = m_app.Graphics()->GetRenderSurface();
        // 6-6-6 is no display format of the host: a 32-bit back buffer
        // stands in for one.
        if (format == kPixelFormatRgb666) static_cast<CRenderSurface_WinMobile_MGL*>(m_surface)->SetPixelFormat(format);
        m_surface->Lock(&m_bits, &m_pitch);
        m_bytes = PixelFormatBytes(format);
    }
    ~Canvas() { m_surface->Unlock(); }

    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const {
        std::uint32_t value = 0;
        std::memcpy(&value, m_bits + y * m_pitch + x * static_cast<std::int32_t>(m_bytes), m_bytes);
        return value;
    }
    // The pixels set in the rectangle, which is cleared.
    std::set<Point> Take(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t expected) {
        std::set<Point> set;
        for (std::int32_t y = y0; y <= y1; ++y) {
            for (std::int32_t x = x0; x <= x1; ++x) {
                if (Pixel(x, y) == 0) continue;
                EXPECT_EQ(Pixel(x, y), expected) << x << "," << y;
                set.insert({x, y});
                std::memset(m_bits + y * m_pitch + x * static_cast<std::int32_t>(m_bytes), 0, m_bytes);
            }
        }
        return set;
    }
    std::set<Point> TakeAll(std::uint32_t expected) { return Take(0, 0, kSize - 1, kSize - 1, expected); }

private:
    ScopedFrameworkApp m_app;
    ICRenderSurface* m_surface;
    std::uint8_t* m_bits = nullptr;
    std::int32_t m_pitch = 0;
    std::uint32_t m_bytes = 0;
};

constexpr PixelFormat kFormats[] = {kPixelFormatRgb565, kPixelFormatRgb666, kPixelFormatXrgb8888};
constexpr std::uint32_t kColour = 0x01C0A060;  // alpha 1: drawn opaque

std::uint32_t PixelOf(PixelFormat format) {
    switch (format) {
        case kPixelFormatRgb565: return (0xC0 >> 3) << 11 | (0xA0 >> 2) << 5 | 0x60 >> 3;
        case kPixelFormatRgb666: return (0xC0 >> 2) << 12 | (0xA0 >> 2) << 6 | 0x60 >> 2;
        default: return 0xFFC0A060;
    }
}

std::set<Point> Column(std::int32_t x, std::int32_t y, std::int32_t n) {
    std::set<Point> points;
    for (std::int32_t i = 0; i < n; ++i) points.insert({x, y + i});
    return points;
}

TEST(DrawLine, ExamplesInEachFormat) {
    const struct {
        const char* what;
        void (*draw)();
        std::set<Point> pixels;
    } cases[] = {
        {"horizontal, end undrawn", [] { DrawLine(10, 5, 14, 5, kColour); },
         {{10, 5}, {11, 5}, {12, 5}, {13, 5}}},
        {"diagonal backwards", [] { DrawLine(3, 3, 0, 0, kColour); }, {{3, 3}, {2, 2}, {1, 1}}},
        {"a point draws nothing", [] { DrawLine(7, 7, 7, 7, kColour); }, {}},
        {"alpha 0 draws nothing", [] { DrawLine(0, 0, 9, 9, 0x00FFFFFF); }, {}},
        {"ends moved onto the surface", [] { DrawLine(-50, 40, 50, -10, kColour); },
         [] {
             std::set<Point> p;  // (0, 40) to (50, 0): x-major, 50 steps
             for (std::int32_t i = 0; i < 50; ++i) p.insert({i, 40 - (2 * i * 40 + 50) / 100});
             return p;
         }()},
        {"clamped to the last row and column", [] { DrawLine(90, 200, 200, 200, kColour); },
         {{90, 99}, {91, 99}, {92, 99}, {93, 99}, {94, 99}, {95, 99}, {96, 99}, {97, 99}, {98, 99}}},
        {"a rectangle misses its far corner", [] { DrawRect(20, 30, 3, 2, kColour); },
         {{20, 30}, {21, 30}, {22, 30}, {23, 30}, {23, 31}, {20, 32}, {21, 32}, {22, 32}, {20, 31}}},
        {"an empty rectangle draws nothing", [] { DrawRect(20, 30, 0, 0, kColour); }, {}},
        {"a rectangle of width 0 is a column", [] { DrawRect(20, 30, 0, 4, kColour); }, Column(20, 30, 4)},
    };
    for (const PixelFormat format : kFormats) {
        Canvas canvas(format);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << ", format 0x" << std::hex << format);
            c.draw();
            EXPECT_EQ(canvas.TakeAll(PixelOf(format)), c.pixels);
        }
    }
}

// Every line of |dx|, |dy| up to 40 from the centre is the rounded line:
// for x-major step i, y = y0 + sy * floor((2i|dy| + |dx|) / (2|dx|))
// (transposed for y-major lines), with the end point undrawn.
TEST(DrawLine, EveryShortLineIsTheRoundedLine) {
    constexpr std::int32_t kReach = 40;
    constexpr std::int32_t c = kSize / 2;
#if VK_EXHAUSTIVE_TESTS
    const std::vector<PixelFormat> formats(std::begin(kFormats), std::end(kFormats));
#else
    const std::vector<PixelFormat> formats = {kPixelFormatRgb565};
#endif
    for (const PixelFormat format : formats) {
        Canvas canvas(format);
        for (std::int32_t dy = -kReach; dy <= kReach; ++dy) {
            for (std::int32_t dx = -kReach; dx <= kReach; ++dx) {
                DrawLine(c, c, c + dx, c + dy, kColour);
                const std::int32_t ax = std::abs(dx), ay = std::abs(dy);
                const std::int32_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
                std::set<Point> expected;
                for (std::int32_t i = 0; i < std::max(ax, ay); ++i) {
                    if (ay <= ax) {
                        expected.insert({c + sx * i, c + sy * ((2 * i * ay + ax) / (2 * ax))});
                    } else {
                        expected.insert({c + sx * ((2 * i * ax + ay) / (2 * ay)), c + sy * i});
                    }
                }
                const std::set<Point> drawn = canvas.Take(std::min(c, c + dx), std::min(c, c + dy),
                                                          std::max(c, c + dx), std::max(c, c + dy), PixelOf(format));
                ASSERT_EQ(drawn, expected) << "dx " << dx << ", dy " << dy << ", format 0x" << std::hex << format;
            }
        }
        EXPECT_TRUE(canvas.TakeAll(PixelOf(format)).empty());  // nothing outside the lines' boxes
    }
}

TEST(IntegerHelpers, MinMaxClamp) {
    const struct {
        std::int32_t v, lo, hi, clamped;
    } cases[] = {{5, 0, 10, 5}, {-3, 0, 10, 0}, {12, 0, 10, 10}, {5, 10, 0, 10}, {INT32_MIN, INT32_MIN, 0, INT32_MIN}};
    for (const auto& c : cases) EXPECT_EQ(ClampInt(c.v, c.lo, c.hi), c.clamped) << c.v << " " << c.lo << " " << c.hi;
    static_assert(MinInt(-1, 1) == -1 && MaxInt(-1, 1) == 1 && MinInt(INT32_MIN, 0) == INT32_MIN);
}

}  // namespace
