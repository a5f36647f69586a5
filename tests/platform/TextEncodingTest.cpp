#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/shared/components/TextEncoding.h"
#include "tools/ResourceWriters.h"

namespace {

using vktools::Bytes;

std::u16string Decode(const Bytes& utf8, std::uint32_t capacity, std::uint32_t* result) {
    std::vector<char16_t> out(capacity + 1, u'#');
    out[capacity] = u'\0';
    const std::uint8_t none = 0;
    *result = Utf8ToUtf16(utf8.empty() ? &none : utf8.data(), static_cast<std::uint32_t>(utf8.size()), out.data(), capacity);
    return std::u16string(out.data());
}

TEST(Utf8ToUtf16, DecodesAndTerminates) {
    struct Case {
        Bytes utf8;
        std::uint32_t capacity;
        std::u16string text;
        std::uint32_t result;
    };
    const Case cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 8, u"A\u00e9\u20ac", 3},
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 3, u"A\u00e9", 3},  // terminator replaces the last unit
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 1, u"", 1},
        {{0x41, 0xC3}, 8, u"", 1},                 // truncated sequence empties the text
        {{0x41, 0xE2, 0x82}, 8, u"", 1},
        {{0x80}, 8, u"", 0},                       // continuation byte as lead
        {{0x41, 0xF0, 0x9F, 0x98, 0x80}, 8, u"", 1},  // four-byte form is not accepted
        {{0x41, 0xC3, 0x41}, 8, u"", 1},           // bad continuation byte
        {{0xC0, 0x80, 0x62}, 8, u"", 2},  // C0 80 is unit 0, then b
        {{0xC1, 0x81}, 8, u"A", 1},                // overlong forms pass as they are
        {{0xED, 0xA0, 0xBD}, 8, u"\xD83D", 1},     // surrogate values pass as they are
        {{}, 8, u"", 0},
    };
    for (const auto& c : cases) {
        std::uint32_t result = 0;
        EXPECT_EQ(Decode(c.utf8, c.capacity, &result), c.text);
        EXPECT_EQ(result, c.result);
    }
}

TEST(Utf8ToUtf16, NullArgumentsWriteNothing) {
    const std::uint8_t in[] = {0x41};
    char16_t out[2] = {u'#', u'#'};
    EXPECT_EQ(Utf8ToUtf16(nullptr, 1, out, 2), 0u);
    EXPECT_EQ(Utf8ToUtf16(in, 1, out, 0), 0u);
    EXPECT_EQ(Utf8ToUtf16(in, 1, nullptr, 2), 0u);
    EXPECT_EQ(out[0], u'#');
}

TEST(Utf16ToUtf8, EncodesWholeSequencesAndReportsFullLength) {
    const char16_t text[] = {u'A', 0x00E9, 0x20AC};
    struct Case {
        std::uint32_t capacity;
        Bytes stored;
    };
    const Case cases[] = {
        {8, {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}},
        {4, {0x41, 0xC3, 0xA9}},
        {5, {0x41, 0xC3, 0xA9}},
        {2, {0x41}},
        {0, {}},
    };
    for (const auto& c : cases) {
        Bytes out(8, 0xEE);
        EXPECT_EQ(Utf16ToUtf8(text, 3, out.data(), c.capacity), 6u);
        EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<long>(c.stored.size())), c.stored);
        EXPECT_EQ(out[c.stored.size()], 0xEE) << c.capacity;
    }
    std::uint8_t b[4];
    EXPECT_EQ(Utf16ToUtf8(nullptr, 3, b, 4), 0u);
    EXPECT_EQ(Utf16ToUtf8(text, 3, nullptr, 4), 0u);
}

TEST(Utf16ToUtf8, ConvertsUnitByUnit) {
    const std::u16string emoji = u"\U0001F600";
    std::uint8_t out[6];
    EXPECT_EQ(Utf16ToUtf8(emoji.data(), 2, out, 6), 6u);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}));
    const char16_t nul = 0;
    EXPECT_EQ(Utf16ToUtf8(&nul, 1, out, 6), 2u);
    EXPECT_EQ(Bytes(out, out + 2), (Bytes{0xC0, 0x80}));
    std::vector<char16_t> back(4);
    EXPECT_EQ(Utf8ToUtf16(Bytes{0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}.data(), 6, back.data(), 4), 2u);
    EXPECT_EQ(std::u16string(back.data()), emoji);
}

TEST(Utf8Lengths, CountUnitsAndCharacters) {
    const char16_t units[] = {u'A', 0, 0x00E9, 0x20AC, 0x7F, 0x80, 0x7FF, 0x800, 0xFFFF};
    EXPECT_EQ(Utf8LengthOfUtf16(units, 4), 8u);
    EXPECT_EQ(Utf8LengthOfUtf16(units, 9), 8u + 1 + 2 + 2 + 3 + 3);
    EXPECT_EQ(Utf8LengthOfUtf16(nullptr, 4), 0u);
    struct Case {
        Bytes utf8;
        std::uint32_t chars;
    };
    const Case cases[] = {
        {{0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, 3}, {{0x80}, 0}, {{0x41, 0xC3}, 0}, {{0x41, 0xF8}, 0}, {{}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8CharCount(c.utf8.data(), static_cast<std::uint32_t>(c.utf8.size())), c.chars);
    EXPECT_EQ(Utf8CharCount(nullptr, 3), 0u);
}

TEST(Utf8Prefixed, LittleEndianLengthBeforeTheText) {
    std::uint8_t out[5];
    EXPECT_EQ(Utf16ToUtf8Prefixed(u"abc", 3, out, 5), 5u);
    EXPECT_EQ(Bytes(out, out + 5), (Bytes{0x03, 0x00, 0x61, 0x62, 0x63}));
    EXPECT_EQ(Utf8PrefixedSize(u"abc", 3), 5u);
    EXPECT_EQ(Utf16ToUtf8Prefixed(u"abc", 3, out, 2), 0u);
    EXPECT_EQ(Utf8PrefixedCharCount(out, 5), 3u);
    EXPECT_EQ(Utf8PrefixedCharCount(out, 2), 0u);
    char16_t text[8];
    EXPECT_EQ(Utf8PrefixedToUtf16(out, 5, text, 8), 3u);
    EXPECT_EQ(std::u16string(text), u"abc");
    text[0] = u'#';
    EXPECT_EQ(Utf8PrefixedToUtf16(out, 2, text, 8), 0u);
    EXPECT_EQ(text[0], u'#');
    // A text longer than its buffer: the length still counts all of it.
    std::uint8_t small[4];
    EXPECT_EQ(Utf16ToUtf8Prefixed(u"abc", 3, small, 4), 5u);
    EXPECT_EQ(Bytes(small, small + 4), (Bytes{0x03, 0x00, 0x61, 0x62}));
}

// Reference conversion by the C library.
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
    std::uniform_int_distribution<int> unit(1, 0xFFFF);
    std::uniform_int_distribution<int> length(0, 200);
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const int n = length(rng);
        while (static_cast<int>(text.size()) < n) {
            const int u = unit(rng);
            if (u >= 0xD800 && u <= 0xDFFF) continue;
            text.push_back(static_cast<char16_t>(u));
        }
        const Bytes expected = IconvUtf16LeToUtf8(text);
        const auto count = static_cast<std::uint32_t>(text.size());
        Bytes out(expected.size() + 1);
        ASSERT_EQ(Utf16ToUtf8(text.data(), count, out.data(), static_cast<std::uint32_t>(out.size())), expected.size());
        out.pop_back();
        ASSERT_EQ(out, expected);
        EXPECT_EQ(vktools::EncodeUtf8Units(text), expected);
        EXPECT_EQ(Utf8CharCount(expected.data(), static_cast<std::uint32_t>(expected.size())), count);
        std::vector<char16_t> back(text.size() + 1);
        EXPECT_EQ(Utf8ToUtf16(expected.data(), static_cast<std::uint32_t>(expected.size()), back.data(), count + 1), count);
        EXPECT_EQ(std::u16string(back.data(), count), text);
    }
}

}  // namespace
