// The multi-tap text field: typing on the frame time given to Update, the
// keys' results, the text and number read back, the scroll that keeps the
// cursor in view, the pending cell and the cursor, and the contract's
// assertions.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CTextEditWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using TextEdit = WidgetWorld;

constexpr std::uint32_t kBorder = 0x0000FF;

// Keys by character; 'w' waits 1000 ms, 'v' 999 ms, '<' and '>' move the
// cursor, 'b' is back. Returns the keys' results, '1' used, '0' not.
std::string Type(CTextEditWidget& field, const std::string& steps) {
    std::string results;
    for (const char step : steps) {
        std::uint16_t key = static_cast<std::uint16_t>(step);
        switch (step) {
            case 'w': field.UpdateIfEnabled(1000); continue;
            case 'v': field.UpdateIfEnabled(999); continue;
            case '<': key = CUIWidget::kKeyLeft; break;
            case '>': key = CUIWidget::kKeyRight; break;
            case 'b': key = CUIWidget::kKeyBack; break;
            default: break;
        }
        results += field.DispatchEvent(EVENT_KEY_PRESS, key, 0) ? '1' : '0';
    }
    return results;
}

// The text after the steps, whether a character is still pending and each
// key's result: back is used only when it deletes; a full field still uses
// the key.
TEST_F(TextEdit, MultiTapTypesByModeCaseAndTime) {
    struct Case {
        std::int32_t mode;
        std::uint32_t upper, locked;
        std::int32_t maxLength;
        std::string steps;
        std::u16string text;
        bool pending;
        std::string results;
    };
    const std::string nine(9, '1'), ten(10, '1');
    const Case cases[] = {
        {1, 0, 0, 49, "222", u"c", true, "111"},      {1, 0, 0, 49, "2222", u"2", true, "1111"},
        {1, 0, 0, 49, "22222", u"a", true, "11111"},  {1, 0, 0, 49, "23", u"ad", true, "11"},
        {1, 0, 0, 49, "2w2", u"aa", true, "11"},      {1, 0, 0, 49, "2v2", u"b", true, "11"},
        {1, 0, 0, 49, "2w", u"a", false, "1"},        {3, 0, 0, 49, "2222", u"a", true, "1111"},
        {3, 0, 0, 49, nine, u"/", true, nine},        {3, 0, 0, 49, ten, u".", true, ten},
        {3, 0, 0, 49, "20", u"a", false, "11"},       {2, 0, 0, 49, "223", u"223", false, "111"},
        {2, 0, 0, 49, "2#*0", u"20", false, "1111"},  {1, 1, 0, 49, "2", u"A", true, "1"},
        {1, 0, 1, 49, "2*2", u"aa", true, "111"},     {1, 0, 0, 49, "2*2", u"aA", true, "111"},
        {1, 1, 0, 49, "2*2", u"Aa", true, "111"},     {1, 0, 0, 49, "2#", u"a ", false, "11"},
        {3, 0, 0, 49, "#", u" ", false, "1"},         {1, 0, 0, 49, "23<4", u"agd", true, "1111"},
        {1, 0, 0, 49, "23b", u"a", false, "111"},     {1, 0, 0, 49, "23<<b5", u"jad", true, "111101"},
        {1, 0, 0, 49, "2w22w222<b3", u"adc", true, "111111111"},  // "abc" less its "b"; "d" typed after the "a"
        {1, 0, 0, 2, "234", u"ad", false, "111"},     {1, 0, 0, 49, "b<>x", u"", false, "0110"},
        {0, 0, 0, 49, "2b<#*", u"", false, "00000"},
    };
    for (const Case& c : cases) {
        CTextEditWidget field;
        field.SetInputMode(c.mode);
        field.SetCase(c.upper, c.locked);
        field.SetMaxLength(c.maxLength);
        EXPECT_EQ(Type(field, c.steps), c.results) << c.mode << " " << c.steps;
        EXPECT_EQ(std::u16string(field.GetText()), c.text) << c.mode << " " << c.steps;
        EXPECT_EQ(field.UpdateIfEnabled(0), c.pending) << c.mode << " " << c.steps;  // true while pending
    }
}

TEST_F(TextEdit, TextAndNumberReadBack) {
    CTextEditWidget field;
    field.SetMaxLength(3);
    field.SetText(u"abcdef");
    EXPECT_EQ(std::u16string(field.GetText()), u"abc");
    EXPECT_EQ(field.GetCursor(), 3);
    char16_t copy[3] = {u'x', u'x', u'x'};
    field.CopyText(copy, 3);
    EXPECT_EQ(std::u16string(copy), u"ab");
    field.SetText(nullptr);
    field.CopyText(copy, 3);
    EXPECT_EQ(std::make_pair(copy[0], field.GetCursor()), std::make_pair(u'\0', 0));

    const std::tuple<std::u16string, std::int32_t, std::int32_t> numbers[] = {
        {u"12ab", 12, 0}, {u"", 0, 1}, {u" -5x", -5, 0}, {u"ab", 0, 0}, {u"1\u01317", 1, 0},
        // Past the int32 range: saturated.
        {u"2147483647", INT32_MAX, 0}, {u"2147483648", INT32_MAX, 0}, {u"-2147483649", INT32_MIN, 0},
        {std::u16string(49, u'9'), INT32_MAX, 0}, {u"-" + std::u16string(48, u'9'), INT32_MIN, 0},
    };
    field.SetMaxLength(49);
    for (const auto& [text, value, result] : numbers) {
        field.SetText(text.c_str());
        std::int32_t number = 99;
        EXPECT_EQ(field.GetNumber(&number), result);
        EXPECT_EQ(number, value);
    }
}

// A 60-pixel field leaves 50 pixels for text of 5-pixel glyphs: a text of
// 20 characters scrolls so that the cursor shows, at the left edge when the
// rest of the text does not fit, else with the text's end at the right
// edge.
TEST_F(TextEdit, TheTextScrollsToKeepTheCursorInView) {
    const char16_t* twenty = u"abcdefabcdefabcdefab";
    const std::tuple<const char16_t*, std::int32_t, std::int32_t> cases[] = {
        {twenty, 20, 5 - 50}, {twenty, 0, 5}, {twenty, 12, 5 - 50}, {twenty, 5, 5 - 25}, {u"ab", 2, 5},
    };
    TextFont font;
    for (const auto& [text, cursor, x] : cases) {
        CTextEditWidget field;
        field.SetFont(&font.font);
        field.SetText(text);
        field.SetCursor(cursor);
        field.SetLocalRect(CRect(0, 0, 60, 18));
        field.Paint();
        const auto glyphs = font.Glyphs();
        ASSERT_FALSE(glyphs.empty());
        EXPECT_EQ(std::get<1>(glyphs[0]), x) << cursor;
    }
}

// The frame takes the highlight while focused; then a pending character
// sits on a cell of the border colour, else the cursor is a line of it.
TEST_F(TextEdit, PendingCharacterAndCursorShowWhileFocused) {
    TextFont font;
    CTextEditWidget field;
    Colour(field);
    field.SetBorderColour(0xFF000000 | kBorder);
    field.SetFont(&font.font);
    field.SetInputMode(1);
    field.SetLocalRect(CRect(10, 20, 100, 30));
    EXPECT_EQ(field.GetMeasuredHeight(), 18);
    field.Paint();
    EXPECT_EQ(Extent(kBorder), CRect(10, 20, 100, 18));
    field.SetFocusable(true);
    field.Focus(true);
    Type(field, "2");
    field.Paint();
    EXPECT_EQ(Extent(kHigh), CRect(10, 20, 100, 18));
    EXPECT_EQ(Extent(kBorder), CRect(15, 24, 5, 10));
    EXPECT_EQ(font.Glyphs(), std::vector<TextFont::Glyph>({{u'a', 15, 24}, {u'a', 15, 24}}));
    Type(field, "w");
    field.Paint();
    EXPECT_EQ(Extent(kBorder), CRect(19, 24, 1, 10));
}

TEST_F(TextEdit, ContractBreachesAssert) {
    const std::function<void(CTextEditWidget&)> breaches[] = {
        [](CTextEditWidget& f) { f.SetMaxLength(0); },  [](CTextEditWidget& f) { f.SetMaxLength(50); },
        [](CTextEditWidget& f) { f.CopyText(nullptr, 4); },
        [](CTextEditWidget& f) { f.CopyText(std::array<char16_t, 4>().data(), 0); },
        [](CTextEditWidget& f) { f.SetKeyTable(&CTextEditWidget::kDefaultKeys); },
        [](CTextEditWidget& f) { f.SetInputMode(4), f.OnKeyDown(u'2', 0); },
    };
    for (const auto& breach : breaches) {
        CTextEditWidget field;
        EXPECT_DEATH(breach(field), "ASSERT FAILED - File: CTextEditWidget.cpp");
    }
    CTextEditWidget field;
    field.SetKeyTable(nullptr);
    field.SetInputMode(1);
    Type(field, "7777");
    EXPECT_EQ(std::u16string(field.GetText()), u"s");
}

}  // namespace
