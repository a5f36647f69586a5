#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"

namespace {

// Both string widths run the same cases; the texts are written narrow and
// widened for CStrWChar.
template <typename S>
struct StrTest : testing::Test {
    using Char = std::remove_cvref_t<decltype(*std::declval<const S&>().GetBuffer())>;
    using Text = std::basic_string<Char>;

    static Text T(const char* narrow) { return Text(narrow, narrow + std::char_traits<char>::length(narrow)); }
    static S Make(const char* narrow) { return S(T(narrow).c_str()); }
    static Text Of(const S& s) { return s.GetBuffer() == nullptr ? Text() : Text(s.GetBuffer(), static_cast<std::size_t>(s.GetLength())); }
};

using Widths = testing::Types<CStrChar, CStrWChar>;
TYPED_TEST_SUITE(StrTest, Widths);

TYPED_TEST(StrTest, AppendAssignAndConcatenate) {
    TypeParam s;
    s.Append(this->T("").c_str());
    ASSERT_NE(s.GetBuffer(), nullptr);
    EXPECT_EQ(s.GetBuffer()[0], 0);
    EXPECT_EQ(s.GetLength(), 0);
    s.Append(this->T("ab").c_str()).AppendCStr(this->T("cd").c_str());
    s.Append(s.GetBuffer() + 1);  // its own text stays valid while copied
    EXPECT_EQ(this->Of(s), this->T("abcdbcd"));

    TypeParam copy(s);
    s.AssignCStr(s.GetBuffer() + 5);  // likewise when assigned
    EXPECT_EQ(this->Of(s), this->T("cd"));
    EXPECT_EQ(this->Of(copy), this->T("abcdbcd"));

    const TypeParam ab = this->Make("ab");
    EXPECT_EQ(this->Of(TypeParam() + ab), this->T("ab"));
    EXPECT_EQ(this->Of(this->T("c").c_str() + ab), this->T("cab"));
}

TYPED_TEST(StrTest, Find) {
    // "aab" in "aaab" is found at 1: every start position is tried.
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"key", "=", 0, -1},   {"abc", "", 2, 2},       {"abc", "", 4, -1},
        {"aaab", "aab", 0, 1}, {"abcabc", "bc", 2, 4}, {"abab", "ab", -2, 0},
    };
    for (const auto& [text, pattern, from, expected] : cases) {
        EXPECT_EQ(this->Make(text).Find(this->T(pattern).c_str(), from), expected) << text << " / " << pattern << " from " << from;
    }
    EXPECT_EQ(this->Make("banana").FindChar(2, 'a'), 3);
    EXPECT_EQ(this->Make("banana").FindChar(4, 'a'), -1);
    EXPECT_EQ(this->Make("  x").FindFirstNot(-3, ' '), 2);
}

TYPED_TEST(StrTest, Substring) {
    const std::tuple<int, int, const char*> cases[] = {{0, 2, "abc"}, {1, 10, "bc"}, {2, 0, "cba"}, {-4, 1, "ab"}, {5, 9, ""}};
    const TypeParam abc = this->Make("abc");
    for (const auto& [from, to, expected] : cases) {
        const TypeParam sub = abc.Substring(from, to);
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
        EXPECT_EQ(s.GetLength(), static_cast<int>(std::string(expected).size()));
    }
    EXPECT_EQ(CStrChar("a\xE9").CharAt(1), -23);
}

TEST(CStrCharDeathTest, BrokenPreconditionsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(CStrChar("ab").CharAt(2), "ASSERT FAILED - File: CStrChar, Line: 197");
    EXPECT_DEATH(CStrWChar().Find(nullptr, 0), "ASSERT FAILED - File: CStrWChar, Line: 140");
}

}  // namespace
