// The button and the navigator, each around a text widget (the font and the
// arrow images record where they are drawn).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CButtonWidget.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CNavigatorWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using fonttest::RecordingImage;
using ButtonNavigator = WidgetWorld;
// The first glyph's x and the characters drawn, "" for none.
std::string Shown(TextFont& font) {
    std::string shown;
    for (const auto& [c, x, y] : font.Glyphs()) {
        if (shown.empty()) shown = std::to_string(x) + ":";
        shown += static_cast<char>(c);
    }
    return shown;
}

// The cell (framed in the foreground colour) is the text plus an inset of 4
// either side, at most the button's 100 or 30 pixels, centred in it.
TEST_F(ButtonNavigator, ButtonFramesItsTextInACentredCell) {
    TextFont font;
    // width, with font, text, focused, frame, highlight, text shown
    const std::tuple<std::int16_t, bool, const char16_t*, bool, CRect, CRect, std::string> cases[] = {
        {100, false, u"ab", false, CRect(10, 20, 100, 8), CRect(), ""},
        {100, true, u"abc", true, CRect(49, 20, 23, 18), CRect(50, 21, 21, 16), "53:abc"},
        {30, true, u"abcdefg", false, CRect(10, 20, 30, 28), CRect(), "15:abcdefg"},
    };
    for (const auto& [width, withFont, text, focused, frame, highlight, shown] : cases) {
        ClearScreen();
        CButtonWidget button;
        Colour(button);
        button.SetFont(withFont ? &font.font : nullptr);
        button.SetText(text);
        button.SetFocusable(true);
        button.Focus(focused);
        button.SetLocalRect(CRect(10, 20, width, 30));
        button.Paint();
        EXPECT_EQ(Extent(kFore), frame) << width;
        EXPECT_EQ(Extent(kHigh), highlight);
        EXPECT_EQ(Shown(font), shown);
    }
}

// Values "a", "bb", "ccc" (or only the title "0") between arrows of 8 x 6
// and 6 x 4, in a navigator at (10, 20) whose row is as high as the taller
// of text and arrows; a step repaints it and reaches the application as
// value changed with the navigator.
TEST_F(ButtonNavigator, NavigatorStepsBetweenItsArrows) {
    const char16_t* const values[] = {u"a", u"bb", u"ccc"};
    // width, count, with values, SetIndex's argument and result, key, index
    // after it, arrows then drawn (left, right), text then shown
    const std::tuple<std::int16_t, std::int32_t, bool, std::int32_t, std::int32_t, std::uint16_t, std::int32_t,
                     std::vector<Place>, std::string>
        cases[] = {
            {100, 0, true, 2, -1, CUIWidget::kKeyRight, -1, {}, "59:0"},
            {100, 3, true, 0, 0, CUIWidget::kKeyLeft, 0, {{104, 22}}, "59:a"},
            {100, 3, true, 0, 0, CUIWidget::kKeyRight, 1, {{10, 22}, {104, 22}}, "56:bb"},
            {100, 3, true, 5, 2, CUIWidget::kKeyRight, 2, {{10, 22}}, "54:ccc"},
            {100, 3, false, 5, 2, CUIWidget::kKeyLeft, 1, {{10, 22}, {104, 22}}, "59:0"},
            {10, 3, true, 1, 1, CUIWidget::kKeySelect, 1, {{10, 20}, {14, 20}}, ""},
        };
    for (const auto& [width, count, withValues, set, index, key, after, arrows, shown] : cases) {
        TextFont font;
        RecordingImage left(8, 6), right(6, 4);
        CContainerWidget root;  // posts the commands
        CNavigatorWidget navigator;
        root.AddChild(&navigator, 0);
        navigator.SetLeftArrowImage(&left);
        navigator.SetRightArrowImage(&right);
        navigator.SetValueCount(count);
        navigator.SetFont(&font.font);
        navigator.SetText(u"0");
        if (withValues) navigator.SetValueTexts(values);
        EXPECT_EQ(navigator.SetIndex(set), index);
        const CRect rect(10, 20, width, 30);
        navigator.SetLocalRect(rect);
        navigator.SetScreenRect(rect);
        navigator.Paint();
        left.calls.clear(), right.calls.clear(), font.Glyphs();
        const bool handled = after != index;
        EXPECT_EQ(navigator.DispatchEvent(EVENT_KEY_PRESS, key, 0), handled) << set << " " << key;
        EXPECT_EQ(navigator.GetIndex(), after);
        EXPECT_EQ(TakePosted(), std::vector<Posted>(handled, {EVENT_WIDGET_CHANGED, 0, WidgetParam(&navigator)}));
        if (!handled) navigator.MarkDirty();
        EXPECT_TRUE(navigator.Paint());
        std::vector<Place> drawn = Places(left);
        for (const Place& place : Places(right)) drawn.push_back(place);
        EXPECT_EQ(drawn, arrows) << set << " " << key;
        EXPECT_EQ(Shown(font), shown);
    }
}

}  // namespace
