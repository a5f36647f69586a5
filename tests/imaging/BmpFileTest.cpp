#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"

namespace {

TEST(BmpFile, RefusesWhatItCannotServeWholly) {
    ScopedImagingApp app;
    Target target(kPixelFormatRgb565, 1, 1);
    const vktools::Bytes good = MakeTestBmp(3, 2, 8, {1, 2, 3, 4}, {0, 1, 2, 3, 0, 1}, 4);
    const struct {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        int bytes;  // 2 or 4; 0 cuts the file to value bytes (size field kept equal)
    } cases[] = {
        {"signature", 0, 'X' << 8 | 'B', 2},
        {"file size above", 2, Size(good) + 1, 4},
        {"file size below", 2, Size(good) - 1, 4},
        {"shorter than its rows", 0, Size(good) - 1, 0},
        {"shorter than its headers", 0, 40, 0},
        {"data past the end", 10, 0xFFFFFFF0, 4},
        {"colour table past the end", 14, 0xFFFFFFF0, 4},
        {"width 0", 18, 0, 4},
        {"height 0", 22, 0, 4},
        {"top-down", 22, static_cast<std::uint32_t>(-2), 4},
        {"1 bit", 28, 1, 2},
        {"16 bits", 28, 16, 2},
        {"32 bits", 28, 32, 2},
        {"run-length", 30, 1, 4},
        {"bit fields", 30, 3, 4},
        {"too many colours", 46, 0x40000000, 4},
        {"negative colours", 46, 0xFFFFFFFF, 4},
        {"huge width", 18, 0x7FFFFFFF, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        vktools::Bytes bad = good;
        if (c.bytes == 0) {
            bad.resize(c.value);
            vktools::PatchU32(bad, 2, c.value);
        } else {
            for (int i = 0; i < c.bytes; ++i) bad[c.offset + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
        }
        EXPECT_EQ(CBmpFile::ParseHeader(bad.data(), Size(bad), nullptr), 0);
        DebugCapture debug;
        CNativeImage native(app.Blitter());
        CPalettizedImage palettized(app.Blitter());
        EXPECT_EQ(native.CreateFromBmp(bad.data(), Size(bad), 0, nullptr, 0), 0u);
        EXPECT_EQ(palettized.CreateRotatedFromBmp(bad.data(), Size(bad), 0, nullptr, 0), 0u);
        EXPECT_EQ(native.GetWidth(), 0);
        EXPECT_EQ(debug.Lines().size(), 2u);
    }
    EXPECT_EQ(CBmpFile::ParseHeader(good.data(), Size(good), nullptr), 1);
    CNativeImage native(app.Blitter());
    EXPECT_EQ(native.CreateFromBmp(good.data(), Size(good), Size(good) + 1, nullptr, 0), 0u);  // offset past the data
    EXPECT_EQ(native.CreateFromBmp(nullptr, 0, 0, nullptr, 0), 0u);
}

// Colours used 2 in a 4-bit file whose pixels use index 3; an 8-bit file of
// four colours with a caller palette of two. Pixel 0 has index 1, pixel 1
// index 3, which reads black; a palettized image keeps 256 entries.
TEST(BmpFile, IndicesPastTheColourTableAreBlack) {
    ScopedImagingApp app;
    Target target(kPixelFormatXrgb8888, 1, 1);
    const vktools::Bytes four = MakeTestBmp(2, 1, 4, {0x112233, 0x445566}, {1, 3}, 2);
    const vktools::Bytes eight = MakeTestBmp(2, 1, 8, {1, 2, 3, 4}, {1, 3}, 4);
    const std::uint8_t callerPalette[8] = {0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0};
    const struct {
        const vktools::Bytes& file;
        const std::uint8_t* palette;
        std::int32_t count;
        std::uint32_t first, entry0;
    } cases[] = {{four, nullptr, 2, 0x445566, 0x112233}, {eight, callerPalette, 4, 0x112233, 0x445566}};
    for (const auto& c : cases) {
        CBmpFile bmp(c.file.data(), Size(c.file));
        if (c.palette != nullptr) bmp.SetPalette(c.palette, 8);
        EXPECT_EQ(bmp.GetCursor(0, 0).GetPixel(), c.first);
        EXPECT_EQ(bmp.GetCursor(1, 0).GetPixel(), 0u);

        CNativeImage native(app.Blitter());
        CPalettizedImage palettized(app.Blitter());
        ASSERT_TRUE(native.CreateFromBmp(c.file.data(), Size(c.file), 0, c.palette, 8));
        ASSERT_TRUE(palettized.CreateFromBmp(c.file.data(), Size(c.file), 0, c.palette, 8));
        EXPECT_EQ(PixelOf(native, 0, 0), 0xFF000000 | c.first);
        EXPECT_EQ(PixelOf(native, 1, 0), 0xFF000000);
        EXPECT_EQ(palettized.GetPaletteCount(), c.count);
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(palettized.GetPalette()[i], 0xFF000000 | (i == 0 ? c.entry0 : i == 1 ? c.first : 0)) << i;
        }
        palettized.SetPaletteEntry(c.count, 1, 2, 3);  // past the count: ignored
        palettized.SetPaletteEntry(-1, 1, 2, 3);
        palettized.SetPaletteEntry(3, 0x10, 0x20, 0x30);
        EXPECT_EQ(palettized.GetPalette()[3], c.count == 4 ? 0xFF102030 : 0xFF000000);
        EXPECT_EQ(palettized.GetPalette()[c.count], 0xFF000000);
    }
}

TEST(BmpFile, CountsOpaqueRuns) {
    constexpr std::uint32_t M = 0xFF00FF;
    // Rows: "M..MM.", ".MMMMM", "M....." (. opaque).
    const vktools::Bytes bytes = MakeTestBmp(6, 3, 24, {}, {M, 1, 2, M, M, 3, 4, M, M, M, M, M, M, 5, 5, 5, 5, 5});
    const CBmpFile bmp(bytes.data(), Size(bytes));
    const struct {
        bool row;
        int x0, y0, x1, y1, runs;
    } cases[] = {{true, 0, 0, 6, 0, 2},
                 {true, 2, 0, 4, 0, 1},
                 {true, 1, 1, 6, 1, 0},
                 {false, 0, 0, 0, 3, 1},
                 {false, 1, 0, 1, 3, 2}};
    for (const auto& c : cases) {
        const CBmpCursor from = bmp.GetCursor(c.x0, c.y0), to = bmp.GetCursor(c.x1, c.y1);
        EXPECT_EQ(c.row ? CountOpaqueRunsInRow(from, to) : CountOpaqueRunsInColumn(from, to), c.runs) << c.x0 << c.y0;
    }
}

}  // namespace
