#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/shared/graphics/2d/PixelFormat.h"

namespace {

std::vector<std::uint8_t> Le16(std::uint32_t v) { return {std::uint8_t(v), std::uint8_t(v >> 8)}; }

std::vector<std::uint8_t> Le32(std::uint32_t v) {
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

// Four signed 32-bit words, little-endian.
std::vector<std::uint8_t> Words(std::int32_t w0, std::int32_t w1, std::int32_t w2, std::int32_t w3) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t w : {w0, w1, w2, w3}) {
        const auto word = Le32(static_cast<std::uint32_t>(w));
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    return bytes;
}

struct Channels {
    int a, r, g, b;
    bool operator==(const Channels&) const = default;
};

struct ReadCase {
    PixelFormat format;
    std::vector<std::uint8_t> pixel;
    Channels expected;
};

TEST(PixelFormat, ChannelsOfEveryFormat) {
    const ReadCase cases[] = {
        {kPixelFormatRgb565, Le16(0xFFFF), {255, 255, 255, 255}},
        {kPixelFormatRgb565, Le16(0x0000), {255, 0, 0, 0}},
        {kPixelFormatRgb565, Le16(0xF800), {255, 255, 0, 0}},
        {kPixelFormatRgb565, Le16(0x8000), {255, 128, 0, 0}},  // red field 0x10: 0x80 | 0
        {kPixelFormatRgb565, Le16(0x8800), {255, 137, 0, 0}},  // red field 0x11: 0x88 | 1
        {kPixelFormatRgb565, Le16(0x0821), {255, 9, 5, 9}},  // low bits fill from the field's low bits
        {kPixelFormatArgb1555, Le16(0x8000), {255, 0, 0, 0}},
        {kPixelFormatArgb1555, Le16(0x7FFF), {0, 255, 255, 255}},
        {kPixelFormatArgb1555, Le16(0x0421), {0, 9, 9, 9}},
        {kPixelFormatArgb4444, Le16(0x1234), {0x11, 0x22, 0x33, 0x44}},
        {kPixelFormatRgb666, Le32(0x20 << 12 | 0x01 << 6 | 0x3F), {255, 128, 5, 255}},
        {kPixelFormatBgr888, {1, 2, 3}, {255, 3, 2, 1}},
        {kPixelFormatXrgb8888, {1, 2, 3, 0}, {255, 3, 2, 1}},
        {kPixelFormatArgb8888, {1, 2, 3, 4}, {4, 3, 2, 1}},
        {kPixelFormatFixedArgb, Words(1024, -5, 5000, 512), {255, 0, 255, 128}},
        {kPixelFormatFixedArgb, Words(1023, 0, 4, 3), {255, 0, 1, 0}},
        {kPixelFormatFixedRgba, Words(1024, -5, 512, 0), {0, 255, 0, 128}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format << " " << int(c.pixel[0]) << " " << int(c.pixel[1]));
        std::uint8_t a = 1, r = 1, g = 1, b = 1;
        PixelGetARGB(c.format, c.pixel.data(), &a, &r, &g, &b);
        EXPECT_EQ((Channels{a, r, g, b}), c.expected);
        r = g = b = 7;
        PixelGetRGB(c.format, c.pixel.data(), &r, &g, &b);
        EXPECT_EQ((Channels{c.expected.a, r, g, b}), c.expected);
    }
}

TEST(PixelFormat, UnknownCodesLeaveTheOutputsAlone) {
    const std::uint8_t pixel[16] = {0xFF, 0xFF, 0xFF, 0xFF};
    FixedColour colour{1, 2, 3, 4};
    for (PixelFormat format : {0u, 0x21303u, 0x1E4411u}) {
        std::uint8_t a = 9, r = 9, g = 9, b = 9;
        PixelGetARGB(format, pixel, &a, &r, &g, &b);
        PixelGetRGB(format, pixel, &r, &g, &b);
        EXPECT_EQ((Channels{a, r, g, b}), (Channels{9, 9, 9, 9}));
        PixelToFixedColour(&colour, format, pixel);
        EXPECT_EQ(colour, (FixedColour{1, 2, 3, 4}));
        EXPECT_EQ(PixelTo565(format, pixel), 0u);
        EXPECT_EQ(PixelToXRGB8888(format, pixel), 0u);
        EXPECT_EQ(PixelToARGB8888(format, pixel), 0u);
    }
}

struct ConvertCase {
    PixelFormat format;
    std::vector<std::uint8_t> pixel;
    std::uint32_t to565, toXrgb, toArgb;
};

TEST(PixelFormat, Conversions) {
    const ConvertCase cases[] = {
        {kPixelFormatRgb565, Le16(0x1234), 0x1234, 0xFF1245A4, 0xFF1245A4},
        {kPixelFormatRgb565, Le16(0xF800), 0xF800, 0xFFFF0000, 0xFFFF0000},
        {kPixelFormatArgb1555, Le16(0xFFFF), 0, 0, 0},
        {kPixelFormatArgb4444, Le16(0xFFFF), 0, 0, 0},
        {kPixelFormatRgb666, Le32(0x3FFFF), 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
        {kPixelFormatBgr888, {0x10, 0x80, 0xF8}, 0xFC02, 0xFFF88010, 0xFFF88010},
        // The stored word comes back whole, unused byte included.
        {kPixelFormatXrgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0x12F88010, 0xFFF88010},
        {kPixelFormatArgb8888, {0x10, 0x80, 0xF8, 0x12}, 0xFC02, 0xFFF88010, 0x12F88010},
        {kPixelFormatFixedArgb, Words(512, 1024, 0, 0), 0xF800, 0xFFFF0000, 0x80FF0000},
        {kPixelFormatFixedRgba, Words(1024, 0, 0, 512), 0xF800, 0xFFFF0000, 0x80FF0000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format);
        EXPECT_EQ(PixelTo565(c.format, c.pixel.data()), c.to565);
        EXPECT_EQ(PixelToXRGB8888(c.format, c.pixel.data()), c.toXrgb);
        EXPECT_EQ(PixelToARGB8888(c.format, c.pixel.data()), c.toArgb);
    }
}

TEST(PixelFormat, ToFixedColour) {
    struct Case {
        PixelFormat format;
        std::vector<std::uint8_t> pixel;
        FixedColour expected;
    };
    const Case cases[] = {
        {kPixelFormatArgb8888, Le32(0xFF102030), {1023, 64, 128, 192}},
        {kPixelFormatRgb565, Le16(0xFFFF), {1023, 1023, 1023, 1023}},
        {kPixelFormatXrgb8888, Le32(0x00800000), {1023, 514, 0, 0}},
        {kPixelFormatBgr888, {0, 0, 128}, {1023, 514, 0, 0}},
        {kPixelFormatRgb666, Le32(0), {1023, 0, 0, 0}},
        // The fixed-point formats are copied without widening or clamping.
        {kPixelFormatFixedArgb, Words(1, -2, 3000, 4), {1, -2, 3000, 4}},
        {kPixelFormatFixedRgba, Words(1, -2, 3000, 4), {4, 1, -2, 3000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format);
        FixedColour colour{};
        PixelToFixedColour(&colour, c.format, c.pixel.data());
        EXPECT_EQ(colour, c.expected);
    }
    FixedColour colour{5, 5, 5, 5};
    PixelToFixedColour(&colour, kPixelFormatArgb1555, Le16(0xFFFF).data());
    PixelToFixedColour(&colour, kPixelFormatArgb4444, Le16(0xFFFF).data());
    EXPECT_EQ(colour, (FixedColour{5, 5, 5, 5}));
}

TEST(PixelFormat, SmallHelpers) {
    FixedColour colour{};
    FixedColourFromBytes(&colour, 255, 128, 1, 0);
    EXPECT_EQ(colour, (FixedColour{1023, 514, 4, 0}));

    const auto argb = Le32(0x11223344);
    EXPECT_EQ(GetAlpha8888(argb.data()), 0x11u);
    EXPECT_EQ(GetRed8888(argb.data()), 0x22u);
    EXPECT_EQ(GetGreen8888(argb.data()), 0x33u);
    EXPECT_EQ(GetBlue8888(argb.data()), 0x44u);

    EXPECT_EQ(ClampToByte(-1), 0);
    EXPECT_EQ(ClampToByte(256), 255);
    EXPECT_EQ(ClampToByte(200), 200);
    for (PixelFormat format : {kPixelFormatRgb565, kPixelFormatBgr888, kPixelFormatXrgb8888, kPixelFormatFixedRgba}) {
        EXPECT_EQ(PixelFormatBytes(format), format & 0xFFu);
    }
}

}  // namespace
