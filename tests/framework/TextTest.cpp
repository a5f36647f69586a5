#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>

#include "src/CTextBuf.h"
#include "src/CUtility.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/FailingAlloc.h"
#include "tools/ResourceWriters.h"

namespace {

using namespace vktools;

constexpr std::uint32_t kLanguage = ResId(kResAggregate, 0x20);
constexpr std::uint32_t kShort = TextId(1), kLong = TextId(2), kHex = TextId(3), kDecimal = TextId(4);
constexpr std::uint32_t kMissing = TextId(9);

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

class TextTest : public testing::Test {
protected:
    void SetUp() override {
        ArchiveBuilder archive;
        ManifestDesc manifest;
        manifest.languages = {{kLanguage, {}, Utf8Name(u"en")}};
        archive.AddManifest(manifest);
        archive.Add(kLanguage,
                    MakeLanguageAggregate({{1, u"Hi"}, {2, u"abcdefghijklmnopqrstuvwxyz"}, {3, u"0x1F"}, {4, u"  -42z"}}));
        ASSERT_EQ(m_app.Open(archive), 1);
        m_app.Resources().SelectLanguage(0);
    }

    ScopedFrameworkApp m_app;
};

TEST_F(TextTest, TextBufferAppendsUntilFull) {
    using Bytes = std::vector<std::uint8_t>;
    const Bytes malformed = {'o', 'k', 0xFF};
    const Bytes cut = {'o', 'k', 0xE4, 0xB8};
    const Bytes accented = {'h', 0xC3, 0xA9};
    const struct {
        const char* what;
        std::int32_t capacity;
        std::function<void(CTextBuf&)> append;
        std::u16string text;
    } cases[] = {
        {"no room besides the terminator", 1, [](CTextBuf& b) { b.AppendWide(u"abc"); }, u""},
        {"cut at capacity - 1", 5, [](CTextBuf& b) { b.AppendWide(u"abcdefgh"); }, u"abcd"},
        {"later pieces cut", 5, [](CTextBuf& b) { b.AppendWide(u"ab"); b.AppendWide(u"cdef"); b.AppendWide(u"g"); },
         u"abcd"},
        {"narrow, byte for character", 8, [](CTextBuf& b) { b.AppendNarrow("x\xE9y"); }, u"x\u00e9y"},
        {"narrow, cut", 4, [](CTextBuf& b) { b.AppendNarrow("abcdef"); }, u"abc"},
        {"UTF-8", 8, [&](CTextBuf& b) { b.AppendUtf8(accented.data(), 3); }, u"h\u00e9"},
        {"UTF-8, cut", 3, [&](CTextBuf& b) { b.AppendUtf8(accented.data(), 3); b.AppendWide(u"x"); }, u"h\u00e9"},
        {"malformed UTF-8 appends nothing", 8,
         [&](CTextBuf& b) { b.AppendWide(u"<"); b.AppendUtf8(malformed.data(), 3); b.AppendUtf8(cut.data(), 4); },
         u"<"},
        {"three newlines", 8, [](CTextBuf& b) { b.AppendNewlines(3); b.AppendNewlines(-1); }, u"\n\n\n"},
        {"string resources", 16,
         [](CTextBuf& b) {
             b.AppendStringResource(kShort);
             b.AppendStringResource(0);
             b.AppendStringResource(kMissing);
             b.AppendStringResource(kLong);
         },
         u"Hiabcdefghijklm"},
        {"null texts", 8, [](CTextBuf& b) { b.AppendWide(nullptr); b.AppendNarrow(nullptr); b.AppendUtf8(nullptr, 3); },
         u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTextBuf buffer;
        ASSERT_EQ(buffer.Allocate(c.capacity), 0);
        buffer.Clear();
        c.append(buffer);
        EXPECT_EQ(std::u16string(buffer.GetBuffer()), c.text);
        EXPECT_EQ(buffer.GetLength(), static_cast<std::int32_t>(c.text.size()));
    }
    EXPECT_EQ(m_app.Resources().IsCached(kShort), 0);  // given back
}

TEST_F(TextTest, TextBufferStorage) {
    CTextBuf buffer;
    EXPECT_EQ(buffer.GetClassId(), CTextBuf::kClassId);
    buffer.AppendWide(u"x");  // no storage
    EXPECT_EQ(buffer.GetBuffer(), nullptr);
    ASSERT_EQ(buffer.Allocate(8), 0);
    buffer.Clear();
    buffer.AppendWide(u"kept");
    EXPECT_EQ(buffer.Allocate(8), 0);
    EXPECT_EQ(std::u16string(buffer.GetBuffer()), u"kept");
    EXPECT_EQ(buffer.Allocate(9), 0);
    EXPECT_EQ(buffer.GetLength(), 0);
    FailNthNothrowNew(0);
    EXPECT_EQ(buffer.Allocate(10), CTextBuf::kNoMemory);
    FailNthNothrowNew(-1);
    EXPECT_EQ(buffer.GetBuffer(), nullptr);
    buffer.AppendNewlines(2);
    EXPECT_EQ(buffer.GetLength(), 0);
}

TEST(VersionTexts, ComposedAndCutToTheirSize) {
    char16_t text[64];
    GetVersionText(text, 64);
    EXPECT_EQ(std::u16string(text), u"1.0");
    GetBuildInfoText(text, 64);
    const std::string info = Narrow(text);
    EXPECT_EQ(info.size(), 36u);
    EXPECT_TRUE(std::regex_match(info, std::regex("\n{6}\\$Name:  \\$\n(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                                  "[ 123][0-9] [0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-6][0-9]")))
        << info;
    const struct {
        void (*get)(char16_t*, std::uint32_t);
        std::uint32_t size;
        std::u16string text;
    } cut[] = {{GetVersionText, 3, u"1."}, {GetVersionText, 1, u""}, {GetBuildInfoText, 9, u"\n\n\n\n\n\n$N"}};
    for (const auto& c : cut) {
        std::u16string out(12, u'#');
        c.get(out.data(), c.size);
        EXPECT_EQ(out.substr(0, c.text.size() + 1), c.text + u'\0');
        EXPECT_EQ(out.substr(c.size), std::u16string(12 - c.size, u'#'));
    }
    std::u16string untouched(4, u'#');
    GetVersionText(untouched.data(), 0);
    EXPECT_EQ(untouched, u"####");
}

TEST(StringCopies, BoundedAndAlwaysTerminated) {
    const std::u16string z(1, 0);
    const struct {
        const char* what;
        std::uint32_t n;
        std::u16string source;
        std::u16string copied;    // CopyWideStringN: the buffer after it
        std::u16string widened;   // NarrowToWideN
    } cases[] = {
        {"n = 1 writes only the terminator", 1, u"abc", z + u"#####", z + u"#####"},
        {"a source of n characters loses its last", 3, u"abc", u"ab" + z + u"###", u"ab" + z + u"###"},
        {"a shorter source", 5, u"ab", u"ab" + z + z + z + u"#", u"ab" + z + u"#" + z + u"#"},
        {"n = 0 writes nothing", 0, u"ab", u"######", u"######"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::u16string buffer(6, u'#');
        CopyWideStringN(buffer.data(), c.source.c_str(), c.n);
        EXPECT_EQ(buffer, c.copied);
        buffer.assign(6, u'#');
        NarrowToWideN(buffer.data(), Narrow(c.source).c_str(), c.n);
        EXPECT_EQ(buffer, c.widened);
    }
    char narrow[8];
    EXPECT_STREQ(CUtility::WideToNarrow(narrow, u"a\u00e9\u4e2dz"), "a\xE9?z");
}

TEST(FormatWideInt, OneIntegerWhateverTheFormat) {
    const struct {
        const char16_t* format;
        std::uint32_t size;
        std::u16string text;
    } cases[] = {
        {u"Points: %i.", 32, u"Points: -42."},
        {u"[%6d][%-6d][%+d][%06d][% d][%#d]", 64, u"[   -42][-42   ][-42][-00042][-42][-42]"},
        {u"%d of %i, 100%%", 32, u"-42 of -42, 100%"},
        // Anything else stands as it is, arguments that are not there included.
        {u"%s %x %.2d %5s %", 32, u"%s %x %.2d %5s %"},
        {u"%99999d", 8, u"       "},
        {u"[%20d]", 8, u"[      "},
        {u"abc", 1, u""},
        {nullptr, 8, u""},
    };
    for (const auto& c : cases) {
        std::u16string out(40, u'#');
        const std::uint32_t length = FormatWideInt(out.data(), c.size, c.format, -42);
        EXPECT_EQ(Narrow(out.substr(0, length)), Narrow(c.text)) << Narrow(c.format != nullptr ? c.format : u"null");
        EXPECT_EQ(out[length], 0);
    }
}

TEST_F(TextTest, StringResourcesIntoFixedBuffers) {
    char16_t text[20];
    CUtility::CopyStringResource(kLong, text, 40);
    EXPECT_EQ(std::u16string(text), u"abcdefghijklmnopqrs");
    CUtility::CopyStringResource(kMissing, text, 40);
    EXPECT_EQ(std::u16string(text), u"");
    EXPECT_EQ(m_app.Resources().IsCached(kLong), 0);
    EXPECT_EQ(CUtility::GetStringResourceNumber(kHex), 31);
    EXPECT_EQ(CUtility::GetStringResourceNumber(kDecimal), -42);
    EXPECT_EQ(CUtility::GetStringResourceNumber(kMissing), 0);
    EXPECT_DEATH(CUtility::CopyStringResource(kShort, text, 0), "CUtility, Line: ");
}

TEST(ParseNumber, HexadecimalAfterThePrefixElseDecimal) {
    const std::pair<const char16_t*, std::int32_t> cases[] = {
        {u"0x1F", 31}, {u"0X1f", 31}, {u"12", 12}, {u"x12", 0}, {u"0x", 0}, {u"0", 0}, {u"", 0}, {u" \t+7", 7},
        {u"0x00000000000000000012", 1}, {u"0000000000000000001234", 1},  // 19 characters are read
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(CUtility::ParseNumber(text), value) << Narrow(text);
}

TEST(ConfigurationText, KeysSpacesAndWords) {
    const std::pair<std::uint32_t, int> keys[] = {{11, 1}, {15, 1}, {0x1000B, 1}, {12, 2}, {16, 2}, {0x2000C, 2},
                                                  {4, 0},  {0, 0},  {0xB0000, 0}};
    for (const auto& [key, kind] : keys) {
        EXPECT_EQ(CUtility::IsAcceptKey(key), kind == 1) << key;
        EXPECT_EQ(CUtility::IsBackKey(key), kind == 2) << key;
    }
    const char* line = " \t\r\nkey_name-2=value.x";
    const char* word = CUtility::SkipSpaces(line);
    EXPECT_EQ(word, line + 4);
    const char* end = CUtility::SkipWord(word);
    EXPECT_EQ(*end, '=');
    EXPECT_EQ(*CUtility::SkipWord(end + 1), '.');
    for (const char c : {'/', ':', '@', '[', '`', '{', '\xE9'}) EXPECT_FALSE(CUtility::IsAlphaNumeric(c)) << c;
    for (const char c : {'\v', '\f', '\0'}) EXPECT_FALSE(CUtility::IsSpace(c));
}

}  // namespace
