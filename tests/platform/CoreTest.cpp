// Diagnostics, formatted output and the two string widths.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "tests/support/DebugCapture.h"

namespace {

TEST(Debug, PrintfCutsAt255AndDumpsEightBytesALine) {
    DebugCapture capture;
    EXPECT_EQ(DebugPrintf("[%s]", std::string(1000, 'h').c_str()), 1002);
    CCore_Win32::DebugPrint("x=%d\xE9", -3);
    EXPECT_EQ(capture.Text(), "[" + std::string(254, 'h') + "\nx=-3\xC3\xA9\n");  // U+00E9 as UTF-8
    const struct {
        const char* label;
        std::vector<std::uint8_t> bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"abc",
         {0x00, 'A', '%', 0x7F, ' ', '~', 0x1F, 0xFF, 'h', 'i'},
         {"abc: 0000: 00 41 25 7f 20 7e 1f ff   .A%. ~..", "abc: 0008: 68 69 " + std::string(18, ' ') + "  hi"}},
        {"abcdefghijkl", {'z'}, {"abcdefghi: 0000: 7a " + std::string(21, ' ') + "  z"}},  // label cut to 9
        {"%s%n%d", {'%', 'n'}, {"%s%n%d: 0000: 25 6e " + std::string(18, ' ') + "  %n"}},  // never a format
    };
    for (const auto& c : cases) {
        capture.Clear();
        CCore_Win32::HexDump(c.label, c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()));
        EXPECT_EQ(capture.Lines(), c.lines) << c.label;
    }
    // {offset, length, the next line's offset}: the walk ends near 4 GiB.
    const std::uint32_t walks[][3] = {{0, 10, 8}, {8, 10, 10}, {0xFFFFFFF8u, 0xFFFFFFFFu, 0xFFFFFFFFu}};
    for (const auto& w : walks) EXPECT_EQ(CCore_Win32::HexDumpNextLine(w[0], w[1]), w[2]) << w[0];
}

TEST(DebugDeathTest, SafeCopiesAssertionsAndTheClock) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // {n, the 8-byte buffer after copying "abcdef" into its middle}: with 0
    // nothing is written, not even a terminator before the buffer.
    for (const auto& [n, after] : {std::pair{4, std::string("##abc\0##", 8)}, std::pair{0, std::string("########")}}) {
        char buffer[8];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(SafeStrCopy(buffer + 2, "abcdef", static_cast<std::size_t>(n)), buffer + 2);
        EXPECT_EQ(std::string(buffer, sizeof buffer), after) << n;
    }
    DebugAssert(256, "file", 1);  // no low bits set: holds
    EXPECT_DEATH(DebugAssert(false, "..\\inc\\CSingleton", 73), "ASSERT FAILED - File: \\.\\.\\\\inc\\\\CSingleton, Line: 73\n");
    EXPECT_NEAR(GetSecondsSince1970(), static_cast<double>(std::time(nullptr)), 1);
    host::SetVirtualClock(0, 60'999);  // 1970-01-01 00:01:00.999
    EXPECT_EQ(GetSecondsSince1970(), 60u);
    host::ClearVirtualClock();
}

// Without the format attribute, so that the tests may pass "%f", "%lld", "%U";
// clang would warn of the format passed on as a variable.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
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
#pragma GCC diagnostic pop

std::u16string Widen(const std::string& text) {
    std::u16string wide;
    for (const char c : text) wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

// Where the engines differ from the C library on purpose; the rest is
// compared with it below.
TEST(Printf, ConversionsInBothEngines) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"%+u", 5, "5"},   {"%.0d", 0, "0"},         {"%05.2d", 3, "00003"}, {"%#o", 0, "00"},
        {"%#x", 0, "0x0"}, {"%d", INT_MIN, "-2147483648"}, {"%c", 0x141, "A"}, {"%hu", 80, "80"},
        {"%hd", 70000, "70000"}, {"%ld", -7, "-7"},  {"%f", 1, "%f"},        {"%lld", 1, "%ld"},
        {"abc%", 1, "abc%"},
    };
    for (const auto& [format, value, expected] : cases) {
        EXPECT_EQ(Format(format, value), expected) << format;
        EXPECT_EQ(Format(Widen(format).c_str(), value), Widen(expected)) << format;
    }
}

TEST(Printf, StringsPointersAndCounts) {
    EXPECT_EQ(Format("[%8s]", nullptr), "[  <NULL>]");
    EXPECT_EQ(Format(u"[%8s]", nullptr), u"[    NULL]");
    EXPECT_EQ(Format("%U", "w"), "w");
    // The precision bounds the read of text with no terminator.
    const char unterminated[3] = {'a', 'b', 'c'};
    const char16_t wideUnterminated[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(Format("%.3s", unterminated), "abc");
    EXPECT_EQ(Format(u"%.3s", wideUnterminated), u"abc");
    auto* small = reinterpret_cast<void*>(std::uintptr_t{0x1234});
    EXPECT_EQ(Format("%p|%#p|%-p|", small, small, small), "00001234|0x001234|1234    |");
    EXPECT_EQ(Format(u"%p", reinterpret_cast<void*>(std::uintptr_t{0xABCDEF0123456789ull})), u"abcdef0123456789");
    int count = -1;
    EXPECT_EQ(Format(u"abc%n", &count), u"abc");
    EXPECT_EQ(count, 3);
}

TEST(Printf, BoundedFormsCutTerminateAndCount) {
    const std::pair<std::size_t, std::string> cases[] = {
        {0, "########"}, {1, std::string("\0#######", 8)}, {6, std::string("1234-\0##", 8)}};
    for (const auto& [capacity, after] : cases) {
        char narrow[8];
        char16_t wide[8];
        std::memset(narrow, '#', sizeof narrow);
        std::fill(std::begin(wide), std::end(wide), u'#');
        const int length = static_cast<int>(std::min(after.find('\0'), after.find('#')));
        EXPECT_EQ(SNPrintf(narrow, capacity, "%d-%s", 1234, "abcdef"), length);
        EXPECT_EQ(SWNPrintf(wide, capacity, u"%d-%s", 1234, u"abcdef"), length);
        EXPECT_EQ(std::string(narrow, 8), after);
        EXPECT_EQ(std::u16string(wide, 8), Widen(after));
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

// The formats are made at run time.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
std::string Glibc(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer, static_cast<std::size_t>(n));
}
#pragma GCC diagnostic pop

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

// Both string widths run the same cases, written narrow and widened.
template <typename S>
struct StrTest : testing::Test {
    using Text = std::basic_string<std::remove_cvref_t<decltype(*std::declval<const S&>().GetBuffer())>>;
    static Text T(const char* narrow) { return Text(narrow, narrow + std::strlen(narrow)); }
    static S Make(const char* narrow) { return S(T(narrow).c_str()); }
    static Text Of(const S& s) { return s.GetBuffer() == nullptr ? Text() : Text(s.GetBuffer(), static_cast<std::size_t>(s.GetLength())); }
};

using Widths = testing::Types<CStrChar, CStrWChar>;
TYPED_TEST_SUITE(StrTest, Widths);

TYPED_TEST(StrTest, AppendAndAssignTheirOwnText) {
    TypeParam s;
    s.Append(this->T("").c_str());
    ASSERT_NE(s.GetBuffer(), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    s.Append(this->T("ab").c_str()).AppendCStr(this->T("cd").c_str());
    s.Append(s.GetBuffer() + 1);  // its own text stays valid while copied
    EXPECT_EQ(this->Of(s), this->T("abcdbcd"));
    TypeParam copy(s);
    s.AssignCStr(s.GetBuffer() + 5);  // likewise when assigned
    EXPECT_EQ(this->Of(s), this->T("cd"));
    EXPECT_EQ(this->Of(copy), this->T("abcdbcd"));
    EXPECT_EQ(this->Of(this->T("c").c_str() + this->Make("ab")), this->T("cab"));
}

TYPED_TEST(StrTest, FindAndSubstring) {
    // "aab" in "aaab" is found at 1: every start position is tried.
    const std::tuple<const char*, const char*, int, int> finds[] = {
        {"key", "=", 0, -1}, {"abc", "", 4, -1}, {"aaab", "aab", 0, 1}, {"abcabc", "bc", 2, 4}, {"abab", "ab", -2, 0},
    };
    for (const auto& [text, pattern, from, expected] : finds) {
        EXPECT_EQ(this->Make(text).Find(this->T(pattern).c_str(), from), expected) << text << " / " << pattern;
    }
    EXPECT_EQ(this->Make("banana").FindChar(2, 'a'), 3);
    EXPECT_EQ(this->Make("  x").FindFirstNot(-3, ' '), 2);
    const std::tuple<int, int, const char*> subs[] = {{1, 10, "bc"}, {2, 0, "cba"}, {-4, 1, "ab"}, {5, 9, ""}};
    for (const auto& [from, to, expected] : subs) {
        const TypeParam sub = this->Make("abc").Substring(from, to);
        EXPECT_EQ(this->Of(sub), this->T(expected)) << from << ".." << to;
        EXPECT_NE(sub.GetBuffer(), nullptr);
    }
}

TEST(CStrChar, TrimAndSignedCharAt) {
    const std::pair<const char*, const char*> cases[] = {{" \t key \r\n", "key"}, {"   ", ""}, {"a b", "a b"}};
    for (const auto& [text, expected] : cases) {
        CStrChar s(text);
        s.Trim();
        EXPECT_STREQ(s.GetBuffer(), expected) << '"' << text << '"';
        EXPECT_EQ(s.GetLength(), static_cast<int>(std::strlen(expected)));
    }
    EXPECT_EQ(CStrChar("a\xE9").CharAt(1), -23);
}

}  // namespace
