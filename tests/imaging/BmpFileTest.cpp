#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CBmpFile.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"

namespace {

struct Random {
    std::vector<std::uint32_t> palette, pixels;
};

Random RandomPicture(std::mt19937& rng, std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
    Random r;
    if (bitCount <= 8) {
        for (int i = 0; i < (1 << bitCount); ++i) r.palette.push_back(rng() & 0xFFFFFF);
    }
    for (int i = 0; i < width * height; ++i) {
        r.pixels.push_back(bitCount <= 8 ? rng() % (1u << bitCount) : rng() & 0xFFFFFF);
    }
    return r;
}

TEST(BmpFile, ServesIndicesAndColoursOfEachDepth) {
    std::mt19937 rng(3);
    for (const std::uint16_t bits : {4, 8, 24}) {
        for (std::int32_t width = 1; width <= 9; ++width) {
            const std::int32_t height = 1 + width % 4;
            const Random pic = RandomPicture(rng, width, height, bits);
            const vktools::Bytes bytes = MakeTestBmp(width, height, bits, pic.palette, pic.pixels);
            CBmpFile bmp(bytes.data(), Size(bytes));
            ASSERT_EQ(bmp.GetPaletteSize(), bits == 24 ? 0 : 4 << bits);
            for (std::int32_t y = 0; y < height; ++y) {
                for (std::int32_t x = 0; x < width; ++x) {
                    const std::uint32_t value = pic.pixels[y * width + x];
                    CBmpCursor at = bmp.GetCursor(x, y);
                    EXPECT_EQ(at.GetPaletteIndex(), bits == 24 ? -1 : static_cast<int>(value));
                    EXPECT_EQ(at.GetPixel(), bits == 24 ? value : pic.palette[value]) << x << "," << y;
                    // Runs of indices to the row's end and the column's foot.
                    std::vector<std::uint8_t> row(width - x), column(height - y);
                    at.ReadRowIndices(row.data(), width - x);
                    at.ReadColumnIndices(column.data(), height - y);
                    EXPECT_EQ(at, bmp.GetCursor(x, y));
                    for (std::int32_t i = x; i < width; ++i) {
                        EXPECT_EQ(row[i - x], bits == 24 ? 255 : pic.pixels[y * width + i]) << x << " " << i;
                    }
                    for (std::int32_t i = y; i < height; ++i) {
                        EXPECT_EQ(column[i - y], bits == 24 ? 255 : pic.pixels[i * width + x]);
                    }
                }
            }
        }
    }
    // Width 5 at 4 bits: rows of 4 bytes; the top row is the last stored.
    const vktools::Bytes bytes = MakeTestBmp(5, 2, 4, std::vector<std::uint32_t>(16), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_EQ(bytes.size(), 14u + 40 + 64 + 8);
    EXPECT_EQ(bytes[bytes.size() - 4], 0x12);
    // Colours used 16 in an 8-bit file.
    const vktools::Bytes sixteen = MakeTestBmp(1, 1, 8, std::vector<std::uint32_t>(16), {0}, 16);
    EXPECT_EQ(CBmpFile(sixteen.data(), Size(sixteen)).GetPaletteSize(), 64);
}

TEST(BmpFile, RefusesWhatItCannotServeWholly) {
    ScopedImagingApp app;
    Target target(kPixelFormatRgb565, 1, 1);
    const vktools::Bytes good = MakeTestBmp(3, 2, 8, {1, 2, 3, 4}, {0, 1, 2, 3, 0, 1}, 4);
    struct Case {
        const char* what;
        std::size_t offset;
        std::uint32_t value;
        int bytes;  // 2 or 4; 0 cuts the file to value bytes (size field kept equal)
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
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

TEST(BmpFile, IndicesPastTheColourTableAreBlack) {
    ScopedImagingApp app;
    Target target(kPixelFormatXrgb8888, 1, 1);
    // Colours used 2 in a 4-bit file whose pixels use index 3; an 8-bit
    // file of four colours with a caller palette of two.
    const vktools::Bytes four = MakeTestBmp(2, 1, 4, {0x112233, 0x445566}, {1, 3}, 2);
    const vktools::Bytes eight = MakeTestBmp(2, 1, 8, {1, 2, 3, 4}, {1, 3}, 4);
    const std::uint8_t callerPalette[8] = {0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0};
    struct Case {
        const vktools::Bytes* file;
        const std::uint8_t* palette;
        std::int32_t count;
        std::uint32_t first;  // pixel 0 (index 1); pixel 1 is black
        std::uint32_t entry0;
    };
    for (const Case& c :
         {Case{&four, nullptr, 2, 0x445566, 0x112233}, Case{&eight, callerPalette, 4, 0x112233, 0x445566}}) {
        CBmpFile bmp(c.file->data(), Size(*c.file));
        if (c.palette != nullptr) bmp.SetPalette(c.palette, 8);
        EXPECT_EQ(bmp.GetCursor(0, 0).GetPixel(), c.first);
        EXPECT_EQ(bmp.GetCursor(1, 0).GetPixel(), 0u);

        CNativeImage native(app.Blitter());
        CPalettizedImage palettized(app.Blitter());
        ASSERT_TRUE(native.CreateFromBmp(c.file->data(), Size(*c.file), 0, c.palette, 8));
        ASSERT_TRUE(palettized.CreateFromBmp(c.file->data(), Size(*c.file), 0, c.palette, 8));
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(native.GetPixels());
        EXPECT_EQ(pixels[0], 0xFF000000 | c.first);
        EXPECT_EQ(pixels[1], 0xFF000000);
        EXPECT_EQ(palettized.GetPaletteCount(), c.count);
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t rgb = i == 0 ? c.entry0 : i == 1 ? c.first : 0;
            EXPECT_EQ(palettized.GetPalette()[i], 0xFF000000 | rgb) << i;
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
    // Rows: "M..MM.", column 0: "M.M" (. opaque).
    const vktools::Bytes bytes = MakeTestBmp(6, 3, 24, {}, {M, 1, 2, M, M, 3, 4, M, M, M, M, M, M, 5, 5, 5, 5, 5});
    const CBmpFile bmp(bytes.data(), Size(bytes));
    EXPECT_EQ(CountOpaqueRunsInRow(bmp.GetCursor(0, 0), bmp.GetCursor(6, 0)), 2);
    EXPECT_EQ(CountOpaqueRunsInRow(bmp.GetCursor(2, 0), bmp.GetCursor(4, 0)), 1);
    EXPECT_EQ(CountOpaqueRunsInRow(bmp.GetCursor(1, 1), bmp.GetCursor(6, 1)), 0);
    EXPECT_EQ(CountOpaqueRunsInColumn(bmp.GetCursor(0, 0), bmp.GetCursor(0, 3)), 1);
    EXPECT_EQ(CountOpaqueRunsInColumn(bmp.GetCursor(1, 0), bmp.GetCursor(1, 3)), 2);
}

}  // namespace
