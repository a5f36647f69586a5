#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shared/graphics/2d/CTextParser.h"
#include "tests/platform/FontTestSupport.h"

namespace {

using Lines = std::vector<std::pair<std::int32_t, std::int32_t>>;

// Letters, tabs and spaces advance 10; line feeds have no record.
CGraphicFont* TenPixelFont() {
    static fonttest::LoadedFont font(fonttest::FixedFont(u"\tabcdefghijklmnopqrstuvwxyz", u" ", 10));
    return &font.font;
}

Lines Parse(CTextParser& parser, const char16_t* text, std::int32_t width) {
    parser.SetFont(TenPixelFont());
    parser.SetText(text);
    parser.SetWidth(width);
    EXPECT_EQ(parser.Parse(), 0);
    Lines lines;
    for (std::int32_t i = 0; i < parser.GetLineCount(); ++i) {
        lines.emplace_back(parser.GetLineStart(i), parser.GetLineLength(i));
    }
    return lines;
}

TEST(TextParser, BreaksLines) {
    struct Case {
        const char16_t* text;
        std::int32_t width;
        Lines lines;
    };
    const Case cases[] = {
        {u"hello world", 80, {{0, 5}, {6, 5}}},
        {u"hello world", 110, {{0, 11}}},
        {u"ab\n\ncd", 1000, {{0, 2}, {4, 0}, {4, 2}}},
        {u"ab\n\n", 1000, {{0, 2}}},
        {u"", 1000, {}},
        {u"abcdefghij", 40, {{0, 4}, {4, 4}, {8, 2}}},  // a word longer than the width
        {u"abcdef", 5, {}},                             // not even one character fits
        {u"ab  cd", 20, {{0, 2}, {3, 2}, {5, 1}}},      // one space goes, the second starts a line
        {u"a b c d", 50, {{0, 5}, {6, 1}}},             // the last space that fits
        {u"a\tb\tc", 30, {{0, 3}, {3, 2}}},             // tabs never break
        {u"a\nb cdefgh", 40, {{0, 1}, {2, 1}, {4, 4}, {8, 2}}},  // a line feed wins over a later space
    };
    for (const Case& c : cases) {
        CTextParser parser;
        const std::u16string text(c.text);
        EXPECT_EQ(Parse(parser, c.text, c.width), c.lines) << std::string(text.begin(), text.end());
    }
}

TEST(TextParser, LongTextStopsAtTheLargestIndex) {
    // Line records hold 16-bit starts and lengths.
    const std::u16string text(70000, u'a');
    CTextParser parser;
    const Lines lines = Parse(parser, text.c_str(), 10000);
    ASSERT_EQ(lines.size(), 66u);
    EXPECT_EQ(lines[65], std::make_pair(65000, 535));
}

}  // namespace
