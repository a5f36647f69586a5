#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <type_traits>

#include "platform/shared/core/Printf.h"

namespace {

// Without the format attribute, so that the tests may pass "%f", "%lld", "%U".
template <typename C>
std::basic_string<C> Format(const C* format, ...) {
    C buffer[512];
    va_list args;
    va_start(args, format);
    int n = 0;
    if constexpr (std::is_same_v<C, char>) {
        n = VSPrintf(buffer, format, args);
    } else {
        n = VSWPrintf(buffer, format, args);
    }
    va_end(args);
    EXPECT_EQ(buffer[n], C{0});
    return std::basic_string<C>(buffer, static_cast<std::size_t>(n));
}

std::string Glibc(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::u16string Widen(const std::string& text) {
    std::u16string wide;
    for (const char c : text) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

TEST(Printf, ConversionsInBothEngines) {
    struct Case {
        const char* format;
        int a;
        int b;
        const char* expected;
    };
    const Case cases[] = {
        {"%d", -5, 0, "-5"},          {"%+d", 5, 0, "+5"},          {"% d", 5, 0, " 5"},
        {"%+u", 5, 0, "5"},           {"%5d|%-5d|", 42, 42, "   42|42   |"},
        {"%05d", -42, 0, "-0042"},    {"%-05d", 42, 0, "42   "},    {"%.3d", 7, 0, "007"},
        {"%.0d", 0, 0, "0"},          {"%05.2d", 3, 0, "00003"},    {"%#x", 255, 0, "0xff"},
        {"%#X", 255, 0, "0XFF"},      {"%#o", 8, 0, "010"},         {"%#o", 0, 0, "00"},
        {"%#x", 0, 0, "0x0"},         {"%8.8x", 255, 0, "000000ff"}, {"%d", INT_MIN, 0, "-2147483648"},
        {"%3c", 65, 0, "  A"},
        {"%-3c|", 65, 0, "A  |"},     {"%c", 0x141, 0, "A"},        {"%hu", 80, 0, "80"},
        {"%hd", 70000, 0, "70000"},   {"%ld", -7, 0, "-7"},         {"%f", 1, 0, "%f"},
        {"%lld", 1, 0, "%ld"},        {"abc%", 1, 0, "abc%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.format, c.a, c.b), c.expected) << c.format;
        EXPECT_EQ(Format(Widen(c.format).c_str(), c.a, c.b), Widen(c.expected)) << c.format;
    }
}

TEST(Printf, StringsPointersAndCounts) {
    EXPECT_EQ(Format("[%8s]", nullptr), "[  <NULL>]");
    EXPECT_EQ(Format(u"[%8s]", nullptr), u"[    NULL]");
    EXPECT_EQ(Format("%.2s|%5s|%-3s|%U", "abc", "ab", "a", "w"), "ab|   ab|a  |w");
    EXPECT_EQ(Format(u"%.2s|%5s|%-3s", u"abc", u"ab", u"a"), u"ab|   ab|a  ");
    // The precision bounds the read of text with no terminator.
    const char unterminated[3] = {'a', 'b', 'c'};
    const char16_t wideUnterminated[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(Format("%.3s", unterminated), "abc");
    EXPECT_EQ(Format(u"%.3s", wideUnterminated), u"abc");

    auto* small = reinterpret_cast<void*>(std::uintptr_t{0x1234});
    auto* large = reinterpret_cast<void*>(std::uintptr_t{0xABCDEF0123456789ull});
    EXPECT_EQ(Format("%p|%#p|%-p|", small, small, small), "00001234|0x001234|1234    |");
    EXPECT_EQ(Format(u"%p", large), u"abcdef0123456789");

    int count = -1;
    EXPECT_EQ(Format(u"abc%n", &count), u"abc");
    EXPECT_EQ(count, 3);
}

TEST(Printf, BoundedFormsCutTerminateAndCount) {
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{6}, std::size_t{16}}) {
        char narrow[20];
        char16_t wide[20];
        std::fill(std::begin(narrow), std::end(narrow), '#');
        std::fill(std::begin(wide), std::end(wide), u'#');
        const std::string expected = std::string("1234-abcdef").substr(0, capacity == 0 ? 0 : capacity - 1);
        EXPECT_EQ(SNPrintf(narrow, capacity, "%d-%s", 1234, "abcdef"), static_cast<int>(expected.size()));
        EXPECT_EQ(SWNPrintf(wide, capacity, u"%d-%s", 1234, u"abcdef"), static_cast<int>(expected.size()));
        for (std::size_t i = 0; i < 20; ++i) {
            const char want = i < expected.size() ? expected[i] : i == expected.size() && capacity > 0 ? '\0' : '#';
            ASSERT_EQ(narrow[i], want) << capacity << " " << i;
            ASSERT_EQ(wide[i], static_cast<char16_t>(want)) << capacity << " " << i;
        }
    }
    char narrow[4];
    int count = 0;
    // A huge width is counted, not written one character at a time.
    EXPECT_EQ(SNPrintf(narrow, sizeof narrow, "%2000000000d%n", 7, &count), 3);
    EXPECT_STREQ(narrow, "   ");
    EXPECT_EQ(count, 2000000000);
    char16_t wide[4];
    EXPECT_EQ(SWNPrintf(wide, 4, u"%99999999999d", 7), 3);  // the width saturates
    EXPECT_EQ(std::u16string(wide), u"   ");
    EXPECT_EQ(SWNPrintf(wide, 4, u"%*d|", INT_MIN, 7), 3);  // a left-justified width of 2^31
    EXPECT_EQ(std::u16string(wide), u"7  ");
}

// Leaves out the places where the engines differ on purpose (cases above).
TEST(Printf, AgreesWithTheCLibrary) {
    std::mt19937 random(20261206);
    const std::string conversions = "diuxXocs";
    const std::string flagChars = "-+ #0";
    const char* texts[] = {"", "a", "hello", "a longer text than twelve"};
    for (int compared = 0; compared < 5000;) {
        const char conversion = conversions[random() % conversions.size()];
        std::string flags;
        for (int n = static_cast<int>(random() % 4); n > 0; --n) flags += flagChars[random() % flagChars.size()];
        const int width = static_cast<int>(random() % 14) - 1;  // -1: none
        const int precision = static_cast<int>(random() % 14) - 1;
        std::uint32_t value = static_cast<std::uint32_t>(random());
        if (random() % 4 == 0) value = static_cast<std::uint32_t>(static_cast<int>(random() % 41) - 20);

        const bool number = conversion != 'c' && conversion != 's';
        const bool alternate = flags.find('#') != std::string::npos;
        int octalDigits = 1;
        for (std::uint32_t v = value; v >= 8; v /= 8) ++octalDigits;
        if (number && flags.find('0') != std::string::npos && precision >= 0) continue;
        if (number && (alternate || precision == 0) && value == 0) continue;
        if (conversion == 'o' && alternate && precision > octalDigits) continue;
        ++compared;

        std::string format = "<%" + flags;
        if (width > 0) format += std::to_string(width);
        if (precision >= 0) format.append(".").append(std::to_string(precision));
        format.append(1, conversion).append(">");
        if (conversion == 's') {
            const char* text = texts[value % std::size(texts)];
            const std::string expected = Glibc(format.c_str(), text);
            ASSERT_EQ(Format(format.c_str(), text), expected) << format;
            ASSERT_EQ(Format(Widen(format).c_str(), Widen(text).c_str()), Widen(expected)) << format;
        } else {
            const std::string expected = Glibc(format.c_str(), value);
            ASSERT_EQ(Format(format.c_str(), value), expected) << format << " " << value;
            ASSERT_EQ(Format(Widen(format).c_str(), value), Widen(expected)) << format << " " << value;
        }
    }
}

}  // namespace
