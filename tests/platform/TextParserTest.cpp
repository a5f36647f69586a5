#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/shared/graphics/2d/CTextParser.h"
#include "tests/platform/FontTestSupport.h"
#include "tests/support/FailingAlloc.h"

namespace {

using fonttest::FixedFont;
using fonttest::LoadedFont;
using Lines = std::vector<std::pair<std::int32_t, std::int32_t>>;

// Letters and tabs advance 10, spaces 10, line feeds have no record.
LoadedFont& TenPixelFont() {
    static LoadedFont font(FixedFont(u"\tabcdefghijklmnopqrstuvwxyz", u" ", 10));
    return font;
}

Lines ParsedLines(const CTextParser& parser) {
    Lines lines;
    for (std::int32_t i = 0; i < parser.GetLineCount(); ++i) {
        lines.emplace_back(parser.GetLineStart(i), parser.GetLineLength(i));
    }
    return lines;
}

TEST(TextParser, BreaksLines) {
    ASSERT_EQ(TenPixelFont().loaded, 1);
    struct Case {
        const char16_t* text;
        std::int32_t width;
        Lines lines;
    };
    const Case cases[] = {
        {u"hello world", 80, {{0, 5}, {6, 5}}},
        {u"hello world", 110, {{0, 11}}},
        {u"hello world", 50, {{0, 5}, {6, 5}}},  // the space after the fitted run breaks
        {u"ab\ncd", 1000, {{0, 2}, {3, 2}}},
        {u"ab\n\ncd", 1000, {{0, 2}, {4, 0}, {4, 2}}},
        {u"ab\n\n\ncd", 1000, {{0, 2}, {5, 0}, {5, 0}, {5, 2}}},
        {u"\nab", 1000, {{1, 0}, {1, 2}}},
        {u"ab\n\n", 1000, {{0, 2}}},
        {u"\n\n", 1000, {}},
        {u"", 1000, {}},
        {u"abcdefghij", 40, {{0, 4}, {4, 4}, {8, 2}}},
        {u"ab abcdefgh", 40, {{0, 2}, {3, 4}, {7, 4}}},
        {u"abcdef", 5, {}},  // not even one character fits
        {u"ab  cd", 20, {{0, 2}, {3, 2}, {5, 1}}},  // one space goes, the second starts a line
        {u"a b c d", 50, {{0, 5}, {6, 1}}},         // the last space that fits
        {u"a\tb\tc", 30, {{0, 3}, {3, 2}}},          // tabs never break
        {u"ab cd\nef gh", 1000, {{0, 5}, {6, 5}}},
        {u"a\nb cdefgh", 40, {{0, 1}, {2, 1}, {4, 4}, {8, 2}}},  // a line feed wins over a later space
        {u"abc d\ne", 60, {{0, 5}, {6, 1}}},
    };
    for (const Case& c : cases) {
        CTextParser parser;
        parser.SetFont(&TenPixelFont().font);
        parser.SetText(c.text);
        parser.SetWidth(c.width);
        EXPECT_EQ(parser.Parse(), 0);
        const std::u16string_view text(c.text);
        EXPECT_EQ(ParsedLines(parser), c.lines) << std::string(text.begin(), text.end());
    }
}

TEST(TextParser, LineAccessAndReset) {
    CTextParser parser;
    EXPECT_EQ(parser.GetClassId(), CTextParser::kClassId);
    EXPECT_EQ(parser.GetLineText(0), nullptr);
    const char16_t* text = u"hello world";
    parser.SetFont(&TenPixelFont().font);
    parser.SetText(text);
    parser.SetWidth(80);
    ASSERT_EQ(parser.Parse(), 0);
    ASSERT_EQ(parser.GetLineCount(), 2);
    EXPECT_EQ(parser.GetLineText(1), text + 6);
    for (const std::int32_t bad : {2, 3, -1}) {
        EXPECT_EQ(parser.GetLineStart(bad), 0);
        EXPECT_EQ(parser.GetLineLength(bad), 0);
    }
    // Setters leave the lines until the next parse.
    parser.SetWidth(1000);
    EXPECT_EQ(parser.GetLineCount(), 2);
    ASSERT_EQ(parser.Parse(), 0);
    EXPECT_EQ(ParsedLines(parser), (Lines{{0, 11}}));
    // Missing font or text, or no width, parse to no lines.
    parser.SetWidth(0);
    EXPECT_EQ(parser.Parse(), 0);
    EXPECT_EQ(parser.GetLineCount(), 0);
    parser.SetWidth(80);
    parser.SetFont(nullptr);
    EXPECT_EQ(parser.Parse(), 0);
    EXPECT_EQ(parser.GetLineCount(), 0);
    parser.SetFont(&TenPixelFont().font);
    ASSERT_EQ(parser.Parse(), 0);
    parser.Clear();
    EXPECT_EQ(parser.GetLineCount(), 0);
    EXPECT_EQ(parser.GetLineLength(0), 0);
}

TEST(TextParser, ArrayFailureStopsTheParse) {
    // The first line record and the first empty line each need storage.
    for (const char16_t* text : {u"ab cd", u"\nab"}) {
        CTextParser parser;
        parser.SetFont(&TenPixelFont().font);
        parser.SetText(text);
        parser.SetWidth(20);
        FailNthNothrowNew(0);
        EXPECT_EQ(parser.Parse(), CVector::kNoMemory);
        FailNthNothrowNew(-1);
        EXPECT_EQ(parser.GetLineCount(), 0);
        EXPECT_EQ(parser.Parse(), 0);
        EXPECT_EQ(parser.GetLineCount(), 2);
    }
}

TEST(TextParser, LongTextStopsAtTheLargestIndex) {
    // Line records hold 16-bit starts and lengths.
    const std::u16string text(70000, u'a');
    CTextParser parser;
    parser.SetFont(&TenPixelFont().font);
    parser.SetText(text.c_str());
    parser.SetWidth(10000);
    ASSERT_EQ(parser.Parse(), 0);
    const Lines lines = ParsedLines(parser);
    ASSERT_EQ(lines.size(), 66u);
    EXPECT_EQ(lines[64], std::make_pair(64000, 1000));
    EXPECT_EQ(lines[65], std::make_pair(65000, 535));
}

}  // namespace
