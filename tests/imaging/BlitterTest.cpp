#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"

namespace {

using B = CSoftwareBlitter;

// Each format's row members (entries 0-3, then 8-11) and key; a refused
// format is logged, leaves the blitter empty and does not end the program.
TEST(Blitter, InitFillsTheTableAndKeyOfEachFormat) {
    const struct {
        std::uint32_t format;
        std::uint32_t key;
        RowFunction rows[8];
    } cases[] = {
        {kPixelFormatRgb565,
         0xF81F,
         {B::BlitRowCopy16, B::BlitRowAlpha16, B::BlitRowAdd16, B::BlitRowSub16, B::BlitRowPalCopy16,
          B::BlitRowPalAlpha16, B::BlitRowPalAdd16, B::BlitRowPalSub16}},
        {kPixelFormatRgb666,
         0x0003F03F,
         {B::BlitRowCopy32, B::BlitRowAlpha666, B::BlitRowAdd666, B::BlitRowSub666, B::BlitRowPalCopy32,
          B::BlitRowPalAlpha666, B::BlitRowPalAdd666, B::BlitRowPalSub666}},
        {kPixelFormatXrgb8888,
         0xFFFF00FF,
         {B::BlitRowCopy32, B::BlitRowAlpha8888, B::BlitRowAdd8888, B::BlitRowSub8888, B::BlitRowPalCopy32,
          B::BlitRowPalAlpha8888, B::BlitRowPalAdd8888, B::BlitRowPalSub8888}},
        {kPixelFormatBgr888, 0, {}},
        {kPixelFormatArgb1555, 0, {}},
        {0, 0, {}},
    };
    std::uint8_t first[4], second[4];
    for (const auto& c : cases) {
        DebugCapture debug;
        B blitter;
        ASSERT_EQ(blitter.Init(kPixelFormatRgb565, first, 8), 1u);
        const bool supported = c.key != 0;
        // Binding again replaces the table and moves the target.
        EXPECT_EQ(blitter.Init(c.format, second, 12), supported ? 1u : 0u);
        EXPECT_EQ(blitter.GetPixelFormat(), supported ? c.format : 0u);
        EXPECT_EQ(blitter.GetTargetBase(), supported ? second : nullptr);
        EXPECT_EQ(blitter.GetPitch(), supported ? 12 : 0);
        EXPECT_EQ(blitter.GetColourKey(), c.key);
        for (std::uint32_t e = 0; e < B::kEntries; ++e) {
            EXPECT_EQ(blitter.GetRowFunction(e), e % 8 < 4 ? c.rows[e / 8 * 4 + e % 8] : nullptr)
                << c.format << " " << e;
        }
        EXPECT_EQ(debug.Lines().size(), supported ? 0u : 1u);
    }
}

// The channels of each format: shifts and widths of red, green and blue.
struct Layout {
    std::uint32_t format;
    int shift[3], bits[3];
};
constexpr Layout kLayouts[] = {{kPixelFormatRgb565, {11, 5, 0}, {5, 6, 5}},
                               {kPixelFormatRgb666, {12, 6, 0}, {6, 6, 6}},
                               {kPixelFormatXrgb8888, {16, 8, 0}, {8, 8, 8}}};
enum Op { kCopy, kAlpha, kAdd, kSub };  // the order of the blitter's entries

// The row operations' rules for one pixel: channels widened to 8 bits,
// mixed or subtracted and narrowed back; sums of whole pixels.
std::uint32_t Reference(const Layout& l, std::uint32_t bytes, int op, std::uint32_t d, std::uint32_t s,
                        std::int32_t opacity) {
    if (op == kCopy || (op == kAlpha && opacity == 255)) return s;
    if (op == kAdd) return static_cast<std::uint32_t>((std::uint64_t{d} + s) & ((std::uint64_t{1} << (8 * bytes)) - 1));
    if (opacity == 0 && op == kAlpha) return d;
    std::uint32_t out = 0;
    for (int i = 0; i < 3; ++i) {
        const auto channel = [&](std::uint32_t p) {
            return static_cast<int>((p >> l.shift[i]) & ((1u << l.bits[i]) - 1)) << (8 - l.bits[i]);
        };
        const int dc = channel(d), sc = channel(s);
        const int c = op == kAlpha ? dc + (sc - dc) * opacity / 256 : std::max(dc - sc, 0);
        out |= static_cast<std::uint32_t>(c >> (8 - l.bits[i])) << l.shift[i];
    }
    return out;
}

// A random pixel of the format (channel bits only, alpha 0xFF or 0 in
// 8888), a quarter of them the key.
std::uint32_t RandomPixel(std::mt19937& rng, const Layout& l, std::uint32_t key) {
    if (rng() % 4 == 0) return key;
    std::uint32_t channels = 0;
    for (int i = 0; i < 3; ++i) channels |= ((1u << l.bits[i]) - 1) << l.shift[i];
    return (rng() & channels) | (l.format == kPixelFormatXrgb8888 && rng() % 2 ? 0xFF000000u : 0);
}

// Each member as the blitter's table of each format gives it, and the two
// 8-bit members (on 565's key's low byte).
TEST(Blitter, EveryRowMemberMatchesThePerPixelRules) {
    ScopedImagingApp app;
    struct Member {
        RowFunction row;
        const Layout& layout;
        std::uint32_t bytes;
        int op;
        bool palettized;
    };
    std::vector<Member> members = {{B::BlitRowCopy8, kLayouts[0], 1, kCopy, false},
                                   {B::BlitRowPalCopy8, kLayouts[0], 1, kCopy, true}};
    for (const Layout& l : kLayouts) {
        B blitter;
        blitter.Init(l.format, nullptr, 0);
        for (std::uint32_t e = 0; e < 12; ++e) {
            if (e % 8 < 4)
                members.push_back({blitter.GetRowFunction(e), l, PixelFormatBytes(l.format), int(e % 8), e >= 8});
        }
    }
    std::mt19937 rng(7);
    constexpr std::int32_t kWidth = 48, kRows = 3;
    // 256 random colours, made into a palettized image and given random
    // entries (a quarter of them the key) for each member below.
    std::vector<std::uint32_t> colours(256), indices(kWidth * kRows);
    for (auto& c : colours) c = rng() & 0xFFFFFF;
    for (auto& i : indices) i = rng() % 256;
    const vktools::Bytes bmp = MakeTestBmp(kWidth, kRows, 8, colours, indices);

    for (const Member& m : members) {
        SCOPED_TRACE(testing::Message() << std::hex << m.layout.format << " op " << m.op << " pal " << m.palettized
                                        << " bytes " << m.bytes);
        Target target(m.layout.format, kWidth, 2, 3, m.bytes);
        const std::uint32_t mask = static_cast<std::uint32_t>((std::uint64_t{1} << (8 * m.bytes)) - 1);
        const std::uint32_t key = app.Blitter()->GetColourKey() & mask;
        CNativeImage native(app.Blitter());
        CPalettizedImage palettized(app.Blitter());
        ASSERT_TRUE(native.Create(kWidth, kRows));
        ASSERT_TRUE(palettized.CreateFromBmp(bmp.data(), Size(bmp), 0, nullptr, 0));
        CSoftwareImage* image = m.palettized ? static_cast<CSoftwareImage*>(&palettized) : &native;
        auto* palette = const_cast<std::uint32_t*>(palettized.GetPalette());
        for (int i = 0; i < 256; ++i) palette[i] = RandomPixel(rng, m.layout, key) | (m.bytes < 4 ? rng() << 16 : 0);
        for (std::int32_t i = 0; i < kWidth * kRows; ++i) {
            const std::uint32_t p = RandomPixel(rng, m.layout, key);
            std::memcpy(native.GetPixels() + i * m.bytes, &p, m.bytes);
        }
        const auto source = [&](std::int32_t x, std::int32_t y) {
            std::uint32_t p = 0;
            if (m.palettized) {
                p = palette[palettized.GetIndices()[y * kWidth + x]];
            } else {
                std::memcpy(&p, native.GetPixels() + (y * kWidth + x) * m.bytes, m.bytes);
            }
            return p & mask;
        };

        for (std::int32_t width = 0; width <= 40; ++width) {
            for (const std::int32_t opacity : {0, 1, 128, 254, 255}) {
                if (m.op != kAlpha && opacity != 128) continue;
                const std::uint32_t flags = rng() % 2 | (rng() % 2) << 1;  // bit 1 is not the row's business
                const std::int32_t srcX = static_cast<std::int32_t>(rng() % (kWidth - width + 1));
                const std::int32_t dstX = static_cast<std::int32_t>(rng() % (kWidth - width + 1));
                const std::int32_t srcY = static_cast<std::int32_t>(rng() % kRows);
                const std::int32_t dstY = static_cast<std::int32_t>(rng() % 2);
                for (std::int32_t x = 0; x < kWidth; ++x) target.SetPixel(x, dstY, RandomPixel(rng, m.layout, key));
                const Target before = target;
                m.row(static_cast<std::uint32_t>(opacity) | 0x3300, image, dstX, dstY, srcX, srcY, width, flags);
                for (std::int32_t x = 0; x < kWidth; ++x) {
                    const std::uint32_t d = before.Pixel(x, dstY);
                    std::uint32_t expected = d;
                    if (x >= dstX && x < dstX + width) {
                        const std::int32_t i = x - dstX;
                        const std::uint32_t s = source(flags & 1 ? srcX + width - 1 - i : srcX + i, srcY);
                        if (s != key) expected = Reference(m.layout, m.bytes, m.op, d, s, opacity);
                    }
                    ASSERT_EQ(target.Pixel(x, dstY), expected)
                        << "x " << x << " width " << width << " opacity " << opacity << " flags " << flags;
                }
                ASSERT_EQ(std::memcmp(target.bytes.data() + (1 - dstY) * target.pitch,
                                      before.bytes.data() + (1 - dstY) * target.pitch, target.pitch),
                          0);
            }
        }
    }
}

TEST(Blitter, WorkedValues) {
    ScopedImagingApp app;
    struct Case {
        RowFunction row;
        std::uint32_t format;
        std::uint32_t dst, src, opacity, expected;
    };
    const Case cases[] = {
        {B::BlitRowAlpha16, kPixelFormatRgb565, 0x0000, 0xFFFF, 128, 15u << 11 | 31u << 5 | 15},
        {B::BlitRowAlpha16, kPixelFormatRgb565, 0xFFFF, 0x0000, 128, 15u << 11 | 31u << 5 | 15},
        {B::BlitRowAdd16, kPixelFormatRgb565, 0x001F, 0x0001, 0, 0x0020},
        {B::BlitRowSub16, kPixelFormatRgb565, 0x07E0, 0x0020, 0, 0x07C0},
        {B::BlitRowSub16, kPixelFormatRgb565, 0x0020, 0x07E0, 0, 0x0000},  // never wraps
        {B::BlitRowAdd8888, kPixelFormatXrgb8888, 0x00FF0000, 0x00010000, 0, 0x01000000},
        {B::BlitRowAdd8888, kPixelFormatXrgb8888, 0xFF800000, 0xFF800000, 0, 0xFF000000},  // alpha FE + red's carry
        {B::BlitRowAlpha8888, kPixelFormatXrgb8888, 0xFF000000, 0xFFFFFFFF, 128, 0x007F7F7F},
        {B::BlitRowSub8888, kPixelFormatXrgb8888, 0xFF102030, 0xFF000010, 0, 0x00102020},
        {B::BlitRowCopy16, kPixelFormatRgb565, 0x1234, 0xF81F, 0, 0x1234},  // the key
        {B::BlitRowAlpha8888, kPixelFormatXrgb8888, 0x1234, 0xFFFF00FF, 255, 0x1234},
        {B::BlitRowAdd666, kPixelFormatRgb666, 0x1234, 0x0003F03F, 0, 0x1234},
    };
    for (const Case& c : cases) {
        Target target(c.format, 1, 1);
        target.SetPixel(0, 0, c.dst);
        CNativeImage image(app.Blitter());
        ASSERT_TRUE(image.Create(1, 1));
        std::memcpy(image.GetPixels(), &c.src, PixelFormatBytes(c.format));
        c.row(c.opacity, &image, 0, 0, 0, 0, 1, 0);
        EXPECT_EQ(target.Pixel(0, 0), c.expected) << std::hex << c.dst << " " << c.src;
    }
}

}  // namespace
