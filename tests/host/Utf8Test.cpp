#include <gtest/gtest.h>

#include "host/Debug.h"

namespace {

TEST(HostUtf, RoundTripsAndReplacesMalformedInput) {
    EXPECT_EQ(host::ToUtf8(u"\u00e9\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(host::ToUtf16("\xC3\xA9\xF0\x9F\x98\x80"), u"\u00e9\U0001F600");
    EXPECT_EQ(host::ToUtf16("\xC3" "a\x80\xC0\xAF"), u"\uFFFDa\uFFFD\uFFFD\uFFFD");  // truncated, stray, overlong
    EXPECT_EQ(host::ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate
    const char16_t lone[] = {0xD800, u'a', 0};
    EXPECT_EQ(host::ToUtf8(lone), "\xEF\xBF\xBD" "a");
}

}  // namespace
