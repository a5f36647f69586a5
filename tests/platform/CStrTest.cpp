#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "platform/shared/components/CStrChar.h"
#include "platform/shared/components/CStrWChar.h"

namespace {

// Both string widths run the same cases; the texts are written narrow and
// widened for CStrWChar.
template <typename S>
struct StrTest : testing::Test {
    using Char = std::remove_cvref_t<decltype(*std::declval<const S&>().GetBuffer())>;
    using Text = std::basic_string<Char>;

    static Text T(const char* narrow) {
        Text out;
        for (const char* p = narrow; *p != '\0'; ++p) out += static_cast<Char>(static_cast<unsigned char>(*p));
        return out;
    }
    static S Make(const char* narrow) { return S(T(narrow).c_str()); }
    static Text Of(const S& s) { return s.GetBuffer() == nullptr ? Text() : Text(s.GetBuffer(), static_cast<std::size_t>(s.GetLength())); }
};

using Widths = testing::Types<CStrChar, CStrWChar>;
TYPED_TEST_SUITE(StrTest, Widths);

TYPED_TEST(StrTest, AppendAllocatesEvenForTheEmptyText) {
    TypeParam s;
    EXPECT_EQ(s.GetBuffer(), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    s.Append(nullptr);
    EXPECT_EQ(s.GetBuffer(), nullptr);
    s.Append(this->T("").c_str());
    ASSERT_NE(s.GetBuffer(), nullptr);
    EXPECT_EQ(s.GetBuffer()[0], 0);
    EXPECT_EQ(s.GetLength(), 0);
    s.Append(this->T("ab").c_str()).AppendCStr(this->T("cd").c_str());
    EXPECT_EQ(this->Of(s), this->T("abcd"));
    EXPECT_EQ(s.GetLength(), 4);
    s.Append(s.GetBuffer() + 1);  // its own text stays valid while copied
    EXPECT_EQ(this->Of(s), this->T("abcdbcd"));
    s.Clear();
    EXPECT_EQ(s.GetBuffer(), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
}

TYPED_TEST(StrTest, CopiesAreDeep) {
    TypeParam a = this->Make("key");
    TypeParam b(a);
    TypeParam c;
    c = a;
    a += this->Make("=v");
    EXPECT_EQ(this->Of(a), this->T("key=v"));
    EXPECT_EQ(this->Of(b), this->T("key"));
    EXPECT_EQ(this->Of(c), this->T("key"));
    c = c;
    EXPECT_EQ(this->Of(c), this->T("key"));
    c.AssignCStr(nullptr);
    EXPECT_EQ(c.GetBuffer(), nullptr);
    c.Assign(b);
    EXPECT_EQ(this->Of(c), this->T("key"));
    EXPECT_EQ(c.GetClassId(), TypeParam::kClassId);
    // A text inside the string's own buffer stays valid until it is copied.
    c.AssignCStr(c.GetBuffer() + 1);
    EXPECT_EQ(this->Of(c), this->T("ey"));
    c.AssignCStr(c.GetBuffer());
    EXPECT_EQ(this->Of(c), this->T("ey"));
}

TYPED_TEST(StrTest, Concatenation) {
    const TypeParam none;
    const TypeParam ab = this->Make("ab");
    EXPECT_EQ(this->Of(none + ab), this->T("ab"));
    EXPECT_EQ(this->Of(ab + none), this->T("ab"));
    EXPECT_EQ(this->Of(none + none), this->T(""));
    EXPECT_EQ(this->Of(ab + this->T("c").c_str()), this->T("abc"));
    EXPECT_EQ(this->Of(this->T("c").c_str() + ab), this->T("cab"));
    EXPECT_EQ(this->Of(ab + ab), this->T("abab"));
}

TYPED_TEST(StrTest, Find) {
    struct Case {
        const char* text;
        const char* pattern;
        int from;
        int expected;
    };
    const Case cases[] = {
        {"key=", "=", 0, 3},   {"key", "=", 0, -1},  {"abc", "", 2, 2},    {"abc", "", 3, 3},
        {"abc", "", 4, -1},    {"aaab", "aab", 0, 1}, {"xaab", "aab", 0, 1}, {"abc", "c", 0, 2},
        {"abcabc", "bc", 2, 4}, {"abc", "abcd", 0, -1}, {"", "", 0, 0},     {"abab", "ab", -2, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(this->Make(c.text).Find(this->T(c.pattern).c_str(), c.from), c.expected)
            << c.text << " / " << c.pattern << " from " << c.from;
    }
    const TypeParam none;
    EXPECT_EQ(none.Find(this->T("a").c_str(), 0), -1);
    EXPECT_EQ(none.Find(this->T("").c_str(), 0), 0);
}

TYPED_TEST(StrTest, FindCharAndFindFirstNot) {
    const TypeParam banana = this->Make("banana");
    struct Case {
        int nth;
        int expected;
    };
    for (const Case c : {Case{0, 5}, Case{1, 1}, Case{2, 3}, Case{3, 5}, Case{4, -1}, Case{-1, -1}}) {
        EXPECT_EQ(banana.FindChar(c.nth, 'a'), c.expected) << c.nth;
    }
    EXPECT_EQ(banana.FindChar(0, 'z'), -1);
    EXPECT_EQ(TypeParam().FindChar(0, 'a'), -1);

    const TypeParam spaced = this->Make("  x");
    EXPECT_EQ(spaced.FindFirstNot(-3, ' '), 2);
    EXPECT_EQ(spaced.FindFirstNot(2, ' '), 2);
    EXPECT_EQ(spaced.FindFirstNot(3, ' '), -1);
    EXPECT_EQ(this->Make("   ").FindFirstNot(0, ' '), -1);
}

TYPED_TEST(StrTest, Substring) {
    struct Case {
        int from;
        int to;
        const char* expected;
    };
    const Case cases[] = {
        {0, 2, "abc"}, {1, 10, "bc"}, {2, 0, "cba"}, {0, -5, "a"}, {3, 2, ""},  {9, 0, ""},
        {3, 3, ""},    {1, 1, "b"},   {-4, 1, "ab"}, {2, 2, "c"},  {5, 9, ""}, {2, -1, "cba"},
    };
    const TypeParam abc = this->Make("abc");
    for (const auto& c : cases) {
        const TypeParam sub = abc.Substring(c.from, c.to);
        EXPECT_EQ(this->Of(sub), this->T(c.expected)) << c.from << ".." << c.to;
        EXPECT_NE(sub.GetBuffer(), nullptr);
    }
    EXPECT_EQ(TypeParam().Substring(0, 3).GetLength(), 0);
}

TEST(CStrChar, Trim) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {" \t key \r\n", "key"}, {"   ", ""}, {"", ""}, {"a b", "a b"}, {"\fx\f", "x"}, {"x ", "x"}, {" x", "x"},
    };
    for (const auto& c : cases) {
        CStrChar s(c.text);
        s.Trim();
        EXPECT_STREQ(s.GetBuffer(), c.expected) << '"' << c.text << '"';
        EXPECT_EQ(s.GetLength(), static_cast<int>(std::string(c.expected).size()));
    }
    CStrChar none;
    none.Trim();
    EXPECT_EQ(none.GetLength(), 0);
}

TEST(CStrChar, CharAtIsSigned) {
    const CStrChar s("a\xE9");
    EXPECT_EQ(s.CharAt(0), 'a');
    EXPECT_EQ(s.CharAt(1), -23);
}

TEST(CStrCharDeathTest, BrokenPreconditionsAssert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const CStrChar s("ab");
    EXPECT_DEATH(s.CharAt(2), "ASSERT FAILED - File: CStrChar, Line: 197");
    EXPECT_DEATH(s.CharAt(-1), "ASSERT FAILED - File: CStrChar, Line: 197");
    EXPECT_DEATH(s.Find(nullptr, 0), "ASSERT FAILED - File: CStrChar, Line: 136");
    EXPECT_DEATH(CStrWChar().Find(nullptr, 0), "ASSERT FAILED - File: CStrWChar, Line: 140");
}

}  // namespace
