#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/shared/components/TextEncoding.h"
#include "tools/ResourceWriters.h"  // Bytes

namespace {

using vktools::Bytes;

TEST(Utf8ToUtf16, DecodesAndTerminates) {
    const struct {
        Bytes utf8;
        std::uint32_t capacity;
        std::u16string text;
        std::uint32_t result;
    } cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 8, u"A\u00e9\u20ac", 3},
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 3, u"A\u00e9", 3},  // terminator replaces the last unit
        {{0x41, 0xE2, 0x82}, 8, u"", 1},                         // truncated sequence empties the text
        {{0x80}, 8, u"", 0},                                     // continuation byte as lead
        {{0x41, 0xF0, 0x9F, 0x98, 0x80}, 8, u"", 1},             // no four-byte form
        {{0xC0, 0x80, 0x62}, 8, u"", 2},                         // C0 80 is unit 0, then b
    };
    for (const auto& c : cases) {
        std::vector<char16_t> out(c.capacity + 1, u'#');
        out[c.capacity] = u'\0';
        EXPECT_EQ(Utf8ToUtf16(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size()), out.data(), c.capacity), c.result);
        EXPECT_EQ(std::u16string(out.data()), c.text);
    }
}

TEST(Utf16ToUtf8, EncodesWholeSequencesAndReportsFullLength) {
    const char16_t text[] = {u'A', 0x00E9, 0x20AC};
    std::uint8_t out[6] = {};
    EXPECT_EQ(Utf16ToUtf8(text, 3, out, 5), 6u);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x41, 0xC3, 0xA9, 0, 0, 0}));  // the euro sign does not fit
}

TEST(Utf16ToUtf8, ConvertsSurrogatesUnitByUnit) {
    const std::u16string emoji = u"\U0001F600";
    const Bytes halves = {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80};
    std::uint8_t out[6];
    EXPECT_EQ(Utf16ToUtf8(emoji.data(), 2, out, 6), 6u);
    EXPECT_EQ(Bytes(out, out + 6), halves);
    char16_t back[4];
    EXPECT_EQ(Utf8ToUtf16(halves.data(), 6, back, 4), 2u);
    EXPECT_EQ(std::u16string(back), emoji);
}

TEST(Utf8Prefixed, LittleEndianLengthBeforeTheText) {
    std::uint8_t out[5];
    EXPECT_EQ(Utf16ToUtf8Prefixed(u"abc", 3, out, 5), 5u);
    EXPECT_EQ(Bytes(out, out + 5), (Bytes{0x03, 0x00, 0x61, 0x62, 0x63}));
    char16_t text[8];
    EXPECT_EQ(Utf8PrefixedToUtf16(out, 5, text, 8), 3u);
    EXPECT_EQ(std::u16string(text), u"abc");
}

Bytes IconvUtf16LeToUtf8(const std::u16string& text) {
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in;
    for (const char16_t u : text) {
        in.push_back(static_cast<char>(u & 0xFF));
        in.push_back(static_cast<char>(u >> 8));
    }
    Bytes out(text.size() * 3 + 4);
    char* inPtr = in.data();
    auto* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    EXPECT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Utf16ToUtf8, AgreesWithIconvOnTheBasicPlane) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const std::size_t n = rng() % 200;
        while (text.size() < n) {
            const auto u = static_cast<char16_t>(1 + rng() % 0xFFFF);
            if (u < 0xD800 || u > 0xDFFF) text.push_back(u);
        }
        const Bytes expected = IconvUtf16LeToUtf8(text);
        const auto count = static_cast<std::uint32_t>(text.size());
        Bytes out(expected.size());
        ASSERT_EQ(Utf16ToUtf8(text.data(), count, out.data(), static_cast<std::uint32_t>(out.size())), expected.size());
        ASSERT_EQ(out, expected);
        EXPECT_EQ(Utf8LengthOfUtf16(text.data(), count), expected.size());
        EXPECT_EQ(Utf8CharCount(expected.data(), static_cast<std::uint32_t>(expected.size())), count);
        std::vector<char16_t> back(text.size() + 1);
        EXPECT_EQ(Utf8ToUtf16(expected.data(), static_cast<std::uint32_t>(expected.size()), back.data(), count + 1), count);
        EXPECT_EQ(std::u16string(back.data(), count), text);
    }
}

}  // namespace
