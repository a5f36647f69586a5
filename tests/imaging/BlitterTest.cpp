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

TEST(Blitter, InitFillsTheTableAndKeyOfEachFormat) {
    struct Case {
        std::uint32_t format;
        std::uint32_t key;
        RowFunction rows[8];  // entries 0-3, then 8-11
    };
    const Case cases[] = {
        {kPixelFormatRgb565, 0xF81F,
         {B::BlitRowCopy16, B::BlitRowAlpha16, B::BlitRowAdd16, B::BlitRowSub16, B::BlitRowPalCopy16,
          B::BlitRowPalAlpha16, B::BlitRowPalAdd16, B::BlitRowPalSub16}},
        {kPixelFormatRgb666, 0x0003F03F,
         {B::BlitRowCopy32, B::BlitRowAlpha666, B::BlitRowAdd666, B::BlitRowSub666, B::BlitRowPalCopy32,
          B::BlitRowPalAlpha666, B::BlitRowPalAdd666, B::BlitRowPalSub666}},
        {kPixelFormatXrgb8888, 0xFFFF00FF,
         {B::BlitRowCopy32, B::BlitRowAlpha8888, B::BlitRowAdd8888, B::BlitRowSub8888, B::BlitRowPalCopy32,
          B::BlitRowPalAlpha8888, B::BlitRowPalAdd8888, B::BlitRowPalSub8888}},
    };
    std::uint8_t first[4], second[4];
    for (const Case& c : cases) {
        B blitter;
        EXPECT_EQ(blitter.GetPixelFormat(), 0u);
        ASSERT_EQ(blitter.Init(c.format, first, 8), 1u);
        // Re-binding keeps the table and moves the target.
        ASSERT_EQ(blitter.Init(c.format, second, 12), 1u);
        EXPECT_EQ(blitter.GetPixelFormat(), c.format);
        EXPECT_EQ(blitter.GetTargetBase(), second);
        EXPECT_EQ(blitter.GetPitch(), 12);
        EXPECT_EQ(blitter.GetColourKey(), c.key);
        for (std::uint32_t e = 0; e < B::kEntries; ++e) {
            const std::uint32_t slot = e % 8;
            EXPECT_EQ(blitter.GetRowFunction(e), slot < 4 ? c.rows[e / 8 * 4 + slot] : nullptr) << c.format << " " << e;
        }
    }
    EXPECT_NE(B::BlitRowAdd666, B::BlitRowAdd8888);
}

TEST(Blitter, RefusesOtherFormatsWithoutStopping) {
    for (const std::uint32_t format : {kPixelFormatBgr888, kPixelFormatArgb8888, kPixelFormatArgb1555, 0u}) {
        DebugCapture debug;
        std::uint8_t target[4];
        B blitter;
        blitter.Init(kPixelFormatRgb565, target, 2);
        EXPECT_EQ(blitter.Init(format, target, 2), 0u);
        EXPECT_EQ(blitter.GetPixelFormat(), 0u);
        EXPECT_EQ(blitter.GetTargetBase(), nullptr);
        EXPECT_EQ(blitter.GetRowFunction(0), nullptr);
        EXPECT_EQ(debug.Lines().size(), 1u);
    }
}

// The rules of the row operations, pixel by pixel, for the reference.
struct Channels {
    std::int32_t r, g, b;
};

Channels Expand(std::uint32_t format, std::uint32_t p) {
    if (format == kPixelFormatRgb565) return {static_cast<int>(p >> 11) << 3, static_cast<int>((p >> 5) & 63) << 2,
                                             static_cast<int>(p & 31) << 3};
    if (format == kPixelFormatRgb666) return {static_cast<int>((p >> 12) & 63) << 2,
                                             static_cast<int>((p >> 6) & 63) << 2, static_cast<int>(p & 63) << 2};
    return {static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255), static_cast<int>(p & 255)};
}

std::uint32_t Pack(std::uint32_t format, Channels c) {
    if (format == kPixelFormatRgb565) return static_cast<std::uint32_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
    if (format == kPixelFormatRgb666) return static_cast<std::uint32_t>((c.r >> 2) << 12 | (c.g >> 2) << 6 | c.b >> 2);
    return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b);
}

enum class Op { Copy, Alpha, Add, Sub };

std::uint32_t Reference(std::uint32_t format, std::uint32_t bytes, Op op, std::uint32_t d, std::uint32_t s,
                        std::int32_t opacity) {
    const std::uint64_t mask = (std::uint64_t{1} << (8 * bytes)) - 1;
    if (op == Op::Alpha && opacity == 255) op = Op::Copy;
    const Channels dc = Expand(format, d), sc = Expand(format, s);
    switch (op) {
        case Op::Copy:
            return s;
        case Op::Add:
            return static_cast<std::uint32_t>((d + s) & mask);
        case Op::Alpha:
            if (opacity == 0) return d;
            return Pack(format, {dc.r + (sc.r - dc.r) * opacity / 256, dc.g + (sc.g - dc.g) * opacity / 256,
                                 dc.b + (sc.b - dc.b) * opacity / 256});
        case Op::Sub:
            return Pack(format, {std::max(dc.r - sc.r, 0), std::max(dc.g - sc.g, 0), std::max(dc.b - sc.b, 0)});
    }
    return 0;
}

struct Member {
    RowFunction row;
    std::uint32_t format;  // the blitter's (gives the key); the 8-bit members use 565's key's low byte
    std::uint32_t bytes;
    Op op;
    bool palettized;
};

const Member kMembers[] = {
    {B::BlitRowCopy8, kPixelFormatRgb565, 1, Op::Copy, false},
    {B::BlitRowCopy16, kPixelFormatRgb565, 2, Op::Copy, false},
    {B::BlitRowCopy32, kPixelFormatRgb666, 4, Op::Copy, false},
    {B::BlitRowCopy32, kPixelFormatXrgb8888, 4, Op::Copy, false},
    {B::BlitRowAlpha16, kPixelFormatRgb565, 2, Op::Alpha, false},
    {B::BlitRowAlpha666, kPixelFormatRgb666, 4, Op::Alpha, false},
    {B::BlitRowAlpha8888, kPixelFormatXrgb8888, 4, Op::Alpha, false},
    {B::BlitRowAdd16, kPixelFormatRgb565, 2, Op::Add, false},
    {B::BlitRowAdd666, kPixelFormatRgb666, 4, Op::Add, false},
    {B::BlitRowAdd8888, kPixelFormatXrgb8888, 4, Op::Add, false},
    {B::BlitRowSub16, kPixelFormatRgb565, 2, Op::Sub, false},
    {B::BlitRowSub666, kPixelFormatRgb666, 4, Op::Sub, false},
    {B::BlitRowSub8888, kPixelFormatXrgb8888, 4, Op::Sub, false},
    {B::BlitRowPalCopy8, kPixelFormatRgb565, 1, Op::Copy, true},
    {B::BlitRowPalCopy16, kPixelFormatRgb565, 2, Op::Copy, true},
    {B::BlitRowPalCopy32, kPixelFormatRgb666, 4, Op::Copy, true},
    {B::BlitRowPalCopy32, kPixelFormatXrgb8888, 4, Op::Copy, true},
    {B::BlitRowPalAlpha16, kPixelFormatRgb565, 2, Op::Alpha, true},
    {B::BlitRowPalAlpha666, kPixelFormatRgb666, 4, Op::Alpha, true},
    {B::BlitRowPalAlpha8888, kPixelFormatXrgb8888, 4, Op::Alpha, true},
    {B::BlitRowPalAdd16, kPixelFormatRgb565, 2, Op::Add, true},
    {B::BlitRowPalAdd666, kPixelFormatRgb666, 4, Op::Add, true},
    {B::BlitRowPalAdd8888, kPixelFormatXrgb8888, 4, Op::Add, true},
    {B::BlitRowPalSub16, kPixelFormatRgb565, 2, Op::Sub, true},
    {B::BlitRowPalSub666, kPixelFormatRgb666, 4, Op::Sub, true},
    {B::BlitRowPalSub8888, kPixelFormatXrgb8888, 4, Op::Sub, true},
};

// A random pixel of the format (channel bits only, alpha 0xFF in 8888), a
// quarter of them the key.
std::uint32_t RandomPixel(std::mt19937& rng, std::uint32_t format, std::uint32_t key) {
    if (rng() % 4 == 0) return key;
    const std::uint32_t rgb = rng() & 0xFFFFFF;
    return format == kPixelFormatXrgb8888 ? rgb | (rng() % 2 ? 0xFF000000u : 0) : Pack(format, Expand(0, rgb));
}

TEST(Blitter, EveryRowMemberMatchesThePerPixelRules) {
    ScopedImagingApp app;
    std::mt19937 rng(7);
    constexpr std::int32_t kWidth = 48, kRows = 3;
    // 256 random colours, made into a palettized image and given random
    // entries (a quarter of them the key) for each member below.
    std::vector<std::uint32_t> colours(256), indices(kWidth * kRows);
    for (auto& c : colours) c = rng() & 0xFFFFFF;
    for (auto& i : indices) i = rng() % 256;
    const vktools::Bytes bmp = MakeTestBmp(kWidth, kRows, 8, colours, indices);

    for (const Member& m : kMembers) {
        SCOPED_TRACE(testing::Message() << std::hex << m.format << " op " << static_cast<int>(m.op) << " pal "
                                        << m.palettized << " bytes " << m.bytes);
        Target target(m.format, kWidth, 2, 3, m.bytes);
        const std::uint32_t key = app.Blitter()->GetColourKey() & static_cast<std::uint32_t>(
                                                                       (std::uint64_t{1} << (8 * m.bytes)) - 1);
        CNativeImage native(app.Blitter());
        CPalettizedImage palettized(app.Blitter());
        ASSERT_TRUE(native.Create(kWidth, kRows));
        ASSERT_TRUE(palettized.CreateFromBmp(bmp.data(), Size(bmp), 0, nullptr, 0));
        CSoftwareImage* image = m.palettized ? static_cast<CSoftwareImage*>(&palettized) : &native;
        auto* palette = const_cast<std::uint32_t*>(palettized.GetPalette());
        for (int i = 0; i < 256; ++i) palette[i] = RandomPixel(rng, m.format, key) | (m.bytes < 4 ? rng() << 16 : 0);
        for (std::int32_t i = 0; i < kWidth * kRows; ++i) {
            const std::uint32_t p = RandomPixel(rng, m.format, key);
            std::memcpy(native.GetPixels() + i * m.bytes, &p, m.bytes);
        }
        const auto source = [&](std::int32_t x, std::int32_t y) {
            std::uint32_t p = 0;
            if (m.palettized) {
                p = palette[palettized.GetIndices()[y * kWidth + x]];
            } else {
                std::memcpy(&p, native.GetPixels() + (y * kWidth + x) * m.bytes, m.bytes);
            }
            return m.bytes == 4 ? p : p & ((1u << (8 * m.bytes)) - 1);
        };

        for (std::int32_t width = 0; width <= 40; ++width) {
            for (const std::int32_t opacity : {0, 1, 128, 254, 255}) {
                if (m.op != Op::Alpha && opacity != 128) continue;
                const std::uint32_t flags = rng() % 2 | (rng() % 2) << 1;  // bit 1 is not the row's business
                const std::int32_t srcX = static_cast<std::int32_t>(rng() % (kWidth - width + 1));
                const std::int32_t dstX = static_cast<std::int32_t>(rng() % (kWidth - width + 1));
                const std::int32_t srcY = static_cast<std::int32_t>(rng() % kRows);
                const std::int32_t dstY = static_cast<std::int32_t>(rng() % 2);
                for (std::int32_t x = 0; x < kWidth; ++x) target.SetPixel(x, dstY, RandomPixel(rng, m.format, key));
                const Target before = target;
                m.row(static_cast<std::uint32_t>(opacity) | 0x3300, image, dstX, dstY, srcX, srcY, width, flags);
                for (std::int32_t x = 0; x < kWidth; ++x) {
                    const std::uint32_t d = before.Pixel(x, dstY);
                    std::uint32_t expected = d;
                    if (x >= dstX && x < dstX + width) {
                        const std::int32_t i = x - dstX;
                        const std::uint32_t s = source(flags & 1 ? srcX + width - 1 - i : srcX + i, srcY);
                        if (s != key) expected = Reference(m.format, m.bytes, m.op, d, s, opacity);
                    }
                    ASSERT_EQ(target.Pixel(x, dstY), expected) << "x " << x << " width " << width << " opacity "
                                                               << opacity << " flags " << flags;
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
