#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"

namespace {

TEST(SoftwareImage, RotatesAndConvertsColours) {
    ScopedImagingApp app;
    const vktools::Bytes small = MakeTestBmp(3, 2, 24, {}, {1, 2, 3, 4, 5, 6});
    {
        DebugCapture debug;
        CNativeImage image(app.Blitter());  // the blitter was never bound: no format to convert to
        EXPECT_EQ(image.CreateFromBmp(small.data(), Size(small), 0, nullptr, 0), 0u);
        EXPECT_EQ(debug.Lines().size(), 1u);
    }
    Target target(kPixelFormatXrgb8888, 1, 1);
    // A 3 x 2 bitmap turned: 2 x 3, pixel (1, 2) is the bitmap's (2, 1).
    CNativeImage turned(app.Blitter());
    ASSERT_TRUE(turned.CreateRotatedFromBmp(small.data(), Size(small), 0, nullptr, 0));
    EXPECT_EQ(PixelOf(turned, 1, 2), 0xFF000006);
    {
        // Refused while the blitter is in another format: the image stays
        // as it was, its format included.
        Target other(kPixelFormatRgb565, 1, 1);
        EXPECT_EQ(turned.CreateFromBmp(small.data(), Size(small) - 1, 0, nullptr, 0), 0u);
    }
    EXPECT_EQ(turned.GetPixelFormat(), kPixelFormatXrgb8888);
    EXPECT_EQ(PixelOf(turned, 1, 2), 0xFF000006);
    // (250, 2, 250) keeps only the top 5, 6, 5 bits: the key in 565 only.
    EXPECT_EQ(CSoftwareImage::ConvertColour(kPixelFormatRgb565, 0xFA02FA), 0xF81Fu);
    EXPECT_EQ(CSoftwareImage::ConvertColour(kPixelFormatXrgb8888, 0xFA02FA), 0xFFFA02FAu);
    EXPECT_EQ(CSoftwareImage::ConvertColour(kPixelFormatBgr888, 0x123456), 0x123456u);
}

// A native image allocates once, a palettized one twice; the allocation
// after the last one fails nothing.
TEST(SoftwareImage, EveryAllocationFailureReturnsZero) {
    ScopedImagingApp app;
    Target target(kPixelFormatRgb565, 1, 1);
    const vktools::Bytes bmp = MakeTestBmp(4, 2, 8, {1, 2}, {0, 1, 0, 1, 1, 1, 0, 0}, 2);
    for (const bool rotated : {false, true}) {
        for (int allocations = 1; allocations <= 2; ++allocations) {
            CNativeImage native(app.Blitter());
            CPalettizedImage palettized(app.Blitter());
            CSoftwareImage& image = allocations == 1 ? static_cast<CSoftwareImage&>(native) : palettized;
            for (int failing = 0; failing <= allocations; ++failing) {
                FailNthNothrowNew(failing);
                const std::uint32_t made = rotated ? image.CreateRotatedFromBmp(bmp.data(), Size(bmp), 0, nullptr, 0)
                                                   : image.CreateFromBmp(bmp.data(), Size(bmp), 0, nullptr, 0);
                FailNthNothrowNew(-1);
                EXPECT_EQ(made, failing < allocations ? 0u : 1u) << rotated << allocations << failing;
                EXPECT_EQ(image.GetWidth(), made == 0 ? 0 : rotated ? 2 : 4);
            }
        }
    }
    CNativeImage image(app.Blitter());
    ASSERT_TRUE(image.Create(3, 2));
    FailNthNothrowNew(0);
    EXPECT_EQ(image.Create(5, 5), 0u);
    FailNthNothrowNew(-1);
    EXPECT_EQ(image.Create(-1, 5), 0u);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
}

struct Call {
    std::int32_t dstX, dstY, srcX, srcY, width;
    bool operator==(const Call&) const = default;
};
std::vector<Call> g_calls;
void Record(std::uint32_t, CSoftwareImage*, std::int32_t dstX, std::int32_t dstY, std::int32_t srcX, std::int32_t srcY,
            std::int32_t width, std::uint32_t) {
    g_calls.push_back({dstX, dstY, srcX, srcY, width});
}

// A 10 x 6 image on a surface of 200 x 150.
TEST(SoftwareImage, BlitClipsToSurfaceClipAndImage) {
    ScopedImagingApp app;
    Target target(kPixelFormatRgb565, 1, 1);
    CNativeImage image(app.Blitter());
    ASSERT_TRUE(image.Create(10, 6));
    const CRect clip(0, 0, 100, 100);
    constexpr std::uint32_t M = CSoftwareImage::kMirror, F = CSoftwareImage::kFlip;
    struct Case {
        const char* what;
        CRect clip;
        std::int32_t x, y, w, h, srcX, srcY;
        std::uint32_t flags;
        std::vector<Call> calls;
    };
    const Case cases[] = {
        {"mirrored, cut on the left", clip, -3, 0, 10, 1, 0, 0, M, {{0, 0, 0, 0, 7}}},
        {"mirrored, cut on the right", clip, 95, 0, 10, 1, 0, 0, M, {{95, 0, 5, 0, 5}}},
        {"plain, cut on the left", clip, -3, 0, 10, 1, 0, 0, 0, {{0, 0, 3, 0, 7}}},
        {"flipped, cut at the surface's foot", CRect(0, 0, 300, 300), 0, 146, 1, 6, 0, 0, F,
         {{0, 146, 0, 5, 1}, {0, 147, 0, 4, 1}, {0, 148, 0, 3, 1}, {0, 149, 0, 2, 1}}},
        {"flipped, cut at the top", clip, 0, -4, 1, 6, 0, 0, F, {{0, 0, 0, 1, 1}, {0, 1, 0, 0, 1}}},
        {"outside the clip", CRect(50, 50, 10, 10), 0, 0, 10, 6, 0, 0, 0, {}},
        {"past the image's edges", clip, 0, 0, 20, 9, 4, 3, 0, {{0, 0, 4, 3, 6}, {0, 1, 4, 4, 6}, {0, 2, 4, 5, 6}}},
        {"beyond 16 bits: not wrapped onto the surface", clip, 65546, 65536 + 5, 10, 6, 0, 0, 0, {}},
        {"source left of the image", clip, 10, 0, 5, 1, -2, 0, 0, {{12, 0, 0, 0, 3}}},
        {"source left, mirrored", clip, 10, 0, 5, 1, -2, 0, M, {{10, 0, 0, 0, 3}}},
        {"source above, flipped", clip, 0, 10, 1, 3, 0, -1, F, {{0, 10, 0, 1, 1}, {0, 11, 0, 0, 1}}},
        {"negative size", clip, 0, 0, -5, 3, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        image.Blit(&c.clip, c.x, c.y, c.w, c.h, c.srcX, c.srcY, c.flags, Record, 0);
        EXPECT_EQ(g_calls, c.calls) << c.what;
    }

    // Rows moved by their own offsets: the top row is cut by the clip and
    // the flip reads the rows upwards; the last row is cut on the right.
    const std::int32_t offsets[] = {10, 20, 30, 92};
    g_calls.clear();
    image.BlitWithRowOffsets(&clip, 0, -1, 10, 4, 0, 0, F, offsets, Record, 0);
    EXPECT_EQ(g_calls, (std::vector<Call>{{20, 0, 0, 2, 10}, {30, 1, 0, 1, 10}, {92, 2, 0, 0, 8}}));

    // A surface whose size cannot be read takes nothing.
    host::SetDisplayFault(host::DisplayFault::SurfaceDesc, true);
    g_calls.clear();
    image.Blit(&clip, 0, 0, 10, 6, 0, 0, 0, Record, 0);
    EXPECT_TRUE(g_calls.empty());
}

// Draw copies all the rows of a native image at once; every pixel must come
// out as when the copy member is called row by row.
void CopyRowByRow(std::uint32_t param, CSoftwareImage* image, std::int32_t dstX, std::int32_t dstY, std::int32_t srcX,
                  std::int32_t srcY, std::int32_t width, std::uint32_t flags) {
    image->GetCopyRowFunction()(param, image, dstX, dstY, srcX, srcY, width, flags);
}

TEST(SoftwareImage, DrawLeavesWhatTheCopyMemberRowByRowLeaves) {
    ScopedImagingApp app;
    std::mt19937 rng(5);
    constexpr std::int32_t kImageW = 40, kImageH = 12;
    for (const std::uint32_t format : {kPixelFormatRgb565, kPixelFormatRgb666, kPixelFormatXrgb8888}) {
        SCOPED_TRACE(testing::Message() << std::hex << format);
        Target target(format, 70, 20, 3);  // rows 3 bytes longer: most pixels off their natural alignment
        const std::uint32_t bytes = target.pixelBytes, key = app.Blitter()->GetColourKey();
        CNativeImage image(app.Blitter());
        ASSERT_TRUE(image.Create(kImageW, kImageH));
        for (std::int32_t i = 0; i < kImageW * kImageH; ++i) {
            const std::uint32_t p = rng() % 3 == 0 ? key : static_cast<std::uint32_t>(rng());
            std::memcpy(image.GetPixels() + i * bytes, &p, bytes);
        }
        int changed = 0;
        for (int draw = 0; draw < 300; ++draw) {
            for (auto& b : target.bytes) b = static_cast<std::uint8_t>(rng());
            const auto at = [&](std::int32_t from, std::int32_t count) {
                return from + static_cast<std::int32_t>(rng() % static_cast<std::uint32_t>(count));
            };
            const CRect clip(at(0, 10), at(0, 5), 60, 15);  // inside the target
            const std::int32_t x = at(-30, 100), y = at(-10, 35), w = at(0, 50), h = at(0, 16);
            const std::int32_t sourceX = at(-2, 8), sourceY = at(-2, 6);
            const auto flags = static_cast<std::uint32_t>(rng() % 4);
            const std::vector<std::uint8_t> before = target.bytes;
            image.Draw(&clip, x, y, w, h, sourceX, sourceY, flags);
            const std::vector<std::uint8_t> drawn = target.bytes;
            changed += drawn != before;
            std::copy(before.begin(), before.end(), target.bytes.begin());
            image.Blit(&clip, x, y, w, h, sourceX, sourceY, flags, CopyRowByRow, 0);
            ASSERT_EQ(drawn, target.bytes)
                << x << "," << y << " " << w << "x" << h << " from " << sourceX << "," << sourceY << " flags " << flags;
        }
        EXPECT_GT(changed, 100);
    }
}

TEST(SoftwareImage, BoundToAnImageTheSurfaceStillClips) {
    ScopedImagingApp app(16, 12);
    Target target(kPixelFormatRgb565, 1, 1);
    CNativeImage sheet(app.Blitter());
    ASSERT_TRUE(sheet.Create(40, 40));
    std::memset(sheet.GetPixels(), 0, 40 * 40 * 2);
    const vktools::Bytes bmp = MakeTestBmp(10, 1, 24, {}, std::vector<std::uint32_t>(10, 0xFFFFFF));
    CNativeImage image(app.Blitter());
    ASSERT_TRUE(image.CreateFromBmp(bmp.data(), Size(bmp), 0, nullptr, 0));
    ASSERT_EQ(sheet.BindAsBlitTarget(), 1u);
    EXPECT_EQ(app.Blitter()->GetTargetBase(), sheet.GetPixels());
    EXPECT_EQ(app.Blitter()->GetPitch(), 80);
    const CRect clip(0, 0, 40, 40);
    image.Draw(&clip, 10, 1, 10, 1, 0, 0, 0);
    for (std::int32_t x = 0; x < 40; ++x) EXPECT_EQ(PixelOf(sheet, x, 1), x >= 10 && x < 16 ? 0xFFFFu : 0u) << x;
}

}  // namespace
