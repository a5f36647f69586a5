#include <gtest/gtest.h>

#include "host/Debug.h"

namespace {

TEST(HostUtf, RoundTripsEveryPlane) {
    const std::u16string samples[] = {u"", u"abc", u"caf\u00e9", u"\u20ac\u4e2d", u"\U0001F600x"};
    for (const auto& s : samples) EXPECT_EQ(host::ToUtf16(host::ToUtf8(s)), s);
    EXPECT_EQ(host::ToUtf8(u"\u00e9"), "\xC3\xA9");
    EXPECT_EQ(host::ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(HostUtf, MalformedInputBecomesReplacement) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"\xC3", u"\uFFFD"},            // truncated sequence
        {"\x80" "a", u"\uFFFDa"},       // stray continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},  // overlong encoding
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(host::ToUtf16(c.utf8), c.utf16);
    const char16_t lone[] = {0xD800, u'a', 0};
    EXPECT_EQ(host::ToUtf8(lone), "\xEF\xBF\xBD" "a");
}

}  // namespace
