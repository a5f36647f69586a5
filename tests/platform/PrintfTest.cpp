#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "platform/shared/core/Printf.h"

namespace {

// Callers without the format attribute, so that the tests may pass formats
// the compiler would reject ("%f", "%lld", "%U"). Each checks the returned
// count against the terminator.
std::string Narrow(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = VSPrintf(buffer, format, args);
    va_end(args);
    EXPECT_EQ(buffer[n], '\0');
    return std::string(buffer, static_cast<std::size_t>(n));
}

int Bounded(char* buffer, std::size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = VSNPrintf(buffer, capacity, format, args);
    va_end(args);
    return n;
}

std::u16string Wide(const char16_t* format, ...) {
    char16_t buffer[512];
    va_list args;
    va_start(args, format);
    const int n = VSWPrintf(buffer, format, args);
    va_end(args);
    EXPECT_EQ(buffer[n], u'\0');
    return std::u16string(buffer, static_cast<std::size_t>(n));
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

struct IntCase {
    const char* format;
    int a;
    int b;
    const char* expected;
};

TEST(Printf, IntegerAndCharacterConversionsInBothEngines) {
    const IntCase cases[] = {
        {"%d", -5, 0, "-5"},
        {"%+d", 5, 0, "+5"},
        {"% d", 5, 0, " 5"},
        {"%+ d", 5, 0, "+5"},
        {"%+u", 5, 0, "5"},
        {"%i", -12, 0, "-12"},
        {"%u", -1, 0, "4294967295"},
        {"%x", INT_MIN, 0, "80000000"},
        {"%X", 0xabc, 0, "ABC"},
        {"%o", 8, 0, "10"},
        {"%5d|%-5d|", 42, 42, "   42|42   |"},
        {"%05d", -42, 0, "-0042"},
        {"%-05d", 42, 0, "42   "},
        {"%+05d", 3, 0, "+0003"},
        {"%.3d", 7, 0, "007"},
        {"%.0d", 0, 0, "0"},
        {"%.d", 0, 0, "0"},
        {"%05.2d", 3, 0, "00003"},
        {"%8.3d", -5, 0, "    -005"},
        {"%#x", 255, 0, "0xff"},
        {"%#X", 255, 0, "0XFF"},
        {"%#o", 8, 0, "010"},
        {"%#o", 0, 0, "00"},
        {"%#x", 0, 0, "0x0"},
        {"%#08x", 255, 0, "0x0000ff"},
        {"%#8x", 255, 0, "    0xff"},
        {"%8.8x", 255, 0, "000000ff"},
        {"%d", INT_MIN, 0, "-2147483648"},
        {"%*d", 4, 7, "   7"},
        {"%*d|", -4, 7, "7   |"},
        {"%.*d", 3, 7, "007"},
        {"%.*d", -3, 0, "0"},
        {"%3c", 65, 0, "  A"},
        {"%-3c|", 65, 0, "A  |"},
        {"%03c", 65, 0, "  A"},
        {"%c", 0x141, 0, "A"},
        {"%hu", 80, 0, "80"},
        {"%hd", 70000, 0, "70000"},
        {"%ld", -7, 0, "-7"},
        {"%Lx", 255, 0, "ff"},
        {"%f", 1, 0, "%f"},
        {"%lld", 1, 0, "%ld"},
        {"%5q", 1, 0, "%q"},
        {"%-08.3%", 1, 0, "%"},
        {"100%%", 1, 0, "100%"},
        {"abc%", 1, 0, "abc%"},
        {"x%-5", 1, 0, "x%"},
        {"x%5.3l", 1, 0, "x%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(c.format, c.a, c.b), c.expected) << c.format;
        EXPECT_EQ(Wide(Widen(c.format).c_str(), c.a, c.b), Widen(c.expected)) << c.format;
    }
}

struct StringCase {
    const char* format;
    const char* text;
    const char* expected;
    const char* expectedWide;  // null: as expected
};

TEST(Printf, StringConversionsInBothEngines) {
    const StringCase cases[] = {
        {"%s", nullptr, "<NULL>", "NULL"},
        {"[%8s]", nullptr, "[  <NULL>]", "[    NULL]"},
        {"%s", "", "", nullptr},
        {"%.2s", "abc", "ab", nullptr},
        {"%.0s|", "abc", "|", nullptr},
        {"%5s", "ab", "   ab", nullptr},
        {"%-5s|", "ab", "ab   |", nullptr},
        {"%05s", "ab", "   ab", nullptr},
        {"%U", "wide", "wide", nullptr},
        {"%3.1s", "xyz", "  x", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(c.format, c.text), c.expected) << c.format;
        const std::u16string wideText = c.text ? Widen(c.text) : std::u16string();
        const std::u16string expectedWide = Widen(c.expectedWide ? c.expectedWide : c.expected);
        EXPECT_EQ(Wide(Widen(c.format).c_str(), c.text ? wideText.c_str() : nullptr), expectedWide) << c.format;
    }
    EXPECT_EQ(Narrow("%.*s|", 2, "abc"), "ab|");
    EXPECT_EQ(Wide(u"%.*s|", 2, u"abc"), u"ab|");
    // A negative precision counts as 0, not as none.
    EXPECT_EQ(Narrow("%.*s|", -1, "abc"), "|");
    EXPECT_EQ(Wide(u"%.*s|", -1, u"abc"), u"|");
}

TEST(Printf, PrecisionBoundsTheReadOfUnterminatedText) {
    const char narrow[3] = {'a', 'b', 'c'};
    const char16_t wide[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(Narrow("%.3s", narrow), "abc");
    EXPECT_EQ(Wide(u"%.3s", wide), u"abc");
}

TEST(Printf, CountStoresCharactersWrittenSoFar) {
    int narrowCount = -1;
    int wideCount = -1;
    int longCount = -1;
    EXPECT_EQ(Narrow("abc%n", &narrowCount), "abc");
    EXPECT_EQ(Wide(u"abc%n", &wideCount), u"abc");
    EXPECT_EQ(Narrow("%5d%ln!", 1, &longCount), "    1!");
    EXPECT_EQ(narrowCount, 3);
    EXPECT_EQ(wideCount, 3);
    EXPECT_EQ(longCount, 5);
}

TEST(Printf, PointerIsFullWidthHex) {
    auto* small = reinterpret_cast<void*>(std::uintptr_t{0x1234});
    auto* large = reinterpret_cast<void*>(std::uintptr_t{0xABCDEF0123456789ull});
    EXPECT_EQ(Narrow("%p", small), "00001234");
    EXPECT_EQ(Narrow("%p", large), "abcdef0123456789");
    EXPECT_EQ(Narrow("%#p", small), "0x001234");
    EXPECT_EQ(Narrow("%6p|", small), "  1234|");
    EXPECT_EQ(Narrow("%-p|", small), "1234    |");
    EXPECT_EQ(Narrow("%p", nullptr), "00000000");
    EXPECT_EQ(Wide(u"%p", small), u"00001234");
    EXPECT_EQ(Wide(u"%p", large), u"abcdef0123456789");
}

TEST(Printf, VariadicFormsMatchTheListForms) {
    char narrow[32];
    char16_t wide[32];
    EXPECT_EQ(SPrintf(narrow, "%s=%d", "x", -3), 4);
    EXPECT_STREQ(narrow, "x=-3");
    EXPECT_EQ(SWPrintf(wide, u"%s=%d", u"x", -3), 4);
    EXPECT_EQ(std::u16string(wide), u"x=-3");
}

TEST(Printf, BoundedFormsCutAndTerminate) {
    struct Case {
        std::size_t capacity;
        const char* expected;
    };
    // "1234-abcdef" is 11 characters.
    const Case cases[] = {{1, ""}, {2, "1"}, {6, "1234-"}, {11, "1234-abcde"}, {12, "1234-abcdef"}, {16, "1234-abcdef"}};
    for (const auto& c : cases) {
        char narrow[20];
        char16_t wide[20];
        std::fill(std::begin(narrow), std::end(narrow), '#');
        std::fill(std::begin(wide), std::end(wide), u'#');
        const int n = SNPrintf(narrow, c.capacity, "%d-%s", 1234, "abcdef");
        const int w = SWNPrintf(wide, c.capacity, u"%d-%s", 1234, u"abcdef");
        const std::string expected = c.expected;
        EXPECT_EQ(n, static_cast<int>(expected.size())) << c.capacity;
        EXPECT_EQ(w, static_cast<int>(expected.size())) << c.capacity;
        EXPECT_EQ(std::string(narrow), expected) << c.capacity;
        EXPECT_EQ(std::u16string(wide), Widen(expected)) << c.capacity;
        for (std::size_t i = c.capacity; i < 20; ++i) {
            EXPECT_EQ(narrow[i], '#') << c.capacity << " " << i;
            EXPECT_EQ(wide[i], u'#') << c.capacity << " " << i;
        }
    }
}

TEST(Printf, BoundedFormsWithNoRoomWriteNothing) {
    char narrow = '#';
    char16_t wide = u'#';
    EXPECT_EQ(SNPrintf(&narrow, 0, "%d", 5), 0);
    EXPECT_EQ(SWNPrintf(&wide, 0, u"%d", 5), 0);
    EXPECT_EQ(SNPrintf(nullptr, 0, "%s", "text"), 0);
    EXPECT_EQ(narrow, '#');
    EXPECT_EQ(wide, u'#');
}

TEST(Printf, BoundedFormsCountWhatWasCut) {
    char narrow[4];
    int count = 0;
    EXPECT_EQ(SNPrintf(narrow, sizeof narrow, "abcdef%n", &count), 3);
    EXPECT_EQ(count, 6);
    // A huge width is counted, not written one character at a time.
    EXPECT_EQ(SNPrintf(narrow, sizeof narrow, "%2000000000d%n", 7, &count), 3);
    EXPECT_STREQ(narrow, "   ");
    EXPECT_EQ(count, 2000000000);
    EXPECT_EQ(Bounded(narrow, sizeof narrow, "%99999999999d", 7), 3);  // the width saturates
    EXPECT_STREQ(narrow, "   ");
}

// The engines against the C library over generated formats, leaving out the
// places where they differ on purpose (covered by the cases above).
TEST(Printf, AgreesWithTheCLibrary) {
    std::mt19937 random(20261206);
    const std::string conversions = "diuxXocs";
    const std::string flagChars = "-+ #0";
    const char* texts[] = {"", "a", "hello", "twelve chars", "a longer text than twelve"};
    int compared = 0;
    while (compared < 20000) {
        const char conversion = conversions[random() % conversions.size()];
        std::string flags;
        for (int n = static_cast<int>(random() % 4); n > 0; --n) flags += flagChars[random() % flagChars.size()];
        const int width = static_cast<int>(random() % 14) - 1;  // -1: none
        const int precision = static_cast<int>(random() % 14) - 1;
        std::uint32_t value = static_cast<std::uint32_t>(random());
        if (random() % 4 == 0) value = static_cast<std::uint32_t>(static_cast<int>(random() % 41) - 20);

        const bool number = conversion != 'c' && conversion != 's';
        const bool alternate = flags.find('#') != std::string::npos;
        const bool zero = flags.find('0') != std::string::npos;
        int octalDigits = 1;
        for (std::uint32_t v = value; v >= 8; v /= 8) ++octalDigits;
        if (number && zero && precision >= 0) continue;
        if (number && alternate && value == 0) continue;
        if (number && precision == 0 && value == 0) continue;
        if (conversion == 'o' && alternate && precision > octalDigits) continue;
        ++compared;

        std::string format = "<%" + flags;
        if (width > 0) format += std::to_string(width);
        if (precision >= 0) format.append(".").append(std::to_string(precision));
        format.append(1, conversion).append(">");
        const std::u16string wideFormat = Widen(format);

        if (conversion == 's') {
            const char* text = texts[value % std::size(texts)];
            const std::string expected = Glibc(format.c_str(), text);
            ASSERT_EQ(Narrow(format.c_str(), text), expected) << format;
            ASSERT_EQ(Wide(wideFormat.c_str(), Widen(text).c_str()), Widen(expected)) << format;
        } else {
            const std::string expected = Glibc(format.c_str(), value);
            ASSERT_EQ(Narrow(format.c_str(), value), expected) << format << " " << value;
            ASSERT_EQ(Wide(wideFormat.c_str(), value), Widen(expected)) << format << " " << value;
        }
    }
}

}  // namespace
