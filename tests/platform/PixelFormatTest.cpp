#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Le(std::initializer_list<std::int64_t> words, int size = 4) {
    Bytes bytes;
    for (std::int64_t w : words) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    }
    return bytes;
}

TEST(PixelFormat, ChannelReads) {
    struct Case {
        PixelFormat format;
        Bytes pixel;
        int a, r, g, b;
    };
    const Case cases[] = {
        {kPixelFormatRgb565, Le({0x8800}, 2), 255, 137, 0, 0},  // low bits fill from the field's low bits
        {kPixelFormatRgb565, Le({0x0821}, 2), 255, 9, 5, 9},
        {kPixelFormatArgb1555, Le({0x7FFF}, 2), 0, 255, 255, 255},
        {kPixelFormatArgb4444, Le({0x1234}, 2), 0x11, 0x22, 0x33, 0x44},
        {kPixelFormatRgb666, Le({0x20 << 12 | 0x01 << 6 | 0x3F}), 255, 128, 5, 255},
        {kPixelFormatXrgb8888, {1, 2, 3, 0}, 255, 3, 2, 1},
        {kPixelFormatArgb8888, {1, 2, 3, 4}, 4, 3, 2, 1},
        {kPixelFormatFixedArgb, Le({1024, -5, 5000, 512}), 255, 0, 255, 128},
        {kPixelFormatFixedRgba, Le({1024, -5, 512, 0}), 0, 255, 0, 128},
        {0x21303, Le({-1}), 77, 77, 77, 77},  // unknown: every output left alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format << " " << int(c.pixel[1]));
        std::uint8_t a = 77, r = 77, g = 77, b = 77;
        PixelGetARGB(c.format, c.pixel.data(), &a, &r, &g, &b);
        EXPECT_EQ((std::vector<int>{a, r, g, b}), (std::vector<int>{c.a, c.r, c.g, c.b}));
        r = g = b = 77;
        PixelGetRGB(c.format, c.pixel.data(), &r, &g, &b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{c.r, c.g, c.b}));
    }
}

TEST(PixelFormat, Conversions) {
    struct Case {
        PixelFormat format;
        Bytes pixel;
        std::uint32_t to565, toXrgb, toArgb;
        FixedColour fixed;
    };
    const Case cases[] = {
        {kPixelFormatRgb565, Le({0x1234}, 2), 0x1234, 0xFF1245A4, 0xFF1245A4, {1023, 72, 277, 658}},
        {kPixelFormatArgb1555, Le({0xFFFF}, 2), 0, 0, 0, {5, 5, 5, 5}},
        {kPixelFormatRgb666, Le({0x3FFFF}), 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, {1023, 1023, 1023, 1023}},
        {kPixelFormatBgr888, {0x10, 0x80, 0xF8}, 0xFC02, 0xFFF88010, 0xFFF88010, {1023, 995, 514, 64}},
        // The stored word comes back whole, unused byte included.
        {kPixelFormatXrgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0x12F88010, 0xFFF88010, {1023, 995, 514, 64}},
        {kPixelFormatArgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0xFFF88010, 0x12F88010, {72, 995, 514, 64}},
        // The fixed-point formats are copied without widening or clamping.
        {kPixelFormatFixedRgba, Le({1024, 0, -2, 512}), 0xF800, 0xFFFF0000, 0x80FF0000, {512, 1024, 0, -2}},
        {0, {0xFF, 0xFF, 0xFF, 0xFF}, 0, 0, 0, {5, 5, 5, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format);
        EXPECT_EQ(PixelTo565(c.format, c.pixel.data()), c.to565);
        EXPECT_EQ(PixelToXRGB8888(c.format, c.pixel.data()), c.toXrgb);
        EXPECT_EQ(PixelToARGB8888(c.format, c.pixel.data()), c.toArgb);
        FixedColour colour{5, 5, 5, 5};
        PixelToFixedColour(&colour, c.format, c.pixel.data());
        EXPECT_EQ(colour, c.fixed);
    }
    EXPECT_EQ(GetRed8888(Le({0x11223344}).data()), 0x22u);
}

}  // namespace
