// The text widget: wrapping, line limits and "...", scrolled lines, the
// slide-in during the owner's intro, focus, when the text is wrapped again,
// and pictures of them in the game's own font and sprites.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/LocalWidgets/CTextWidget.h"
#include "tests/support/GoldenFrame.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Texts = WidgetWorld;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kBack = 0x101010, kHigh = 0xFF0000;
// Five lines of seven letters at a width of 40.
constexpr const char16_t* kFiveLines = u"aaaaaaa bbbbbbb ccccccc ddddddd eeeeeee";

// Each text widget is a root at (0, 50) of the given width, 50 high.
TEST_F(Texts, LinesAreLimitedShortenedAndScrolled) {
    struct Case {
        const char16_t* text;
        std::int8_t heightBase;  // 8: lines 10 high
        std::int32_t width, minLines, maxLines, clipY;
        std::uint32_t alignment;
        std::int32_t height;
        Lines drawn;
    };
    const Case cases[] = {
        {kFiveLines, 8, 40, -1, 3, 0, CUIWidget::kAlignLeft, 30, {"0,50:aaaaaaa", "0,60:bbbbbbb", "0,70:ccccc..."}},
        {kFiveLines, 8, 40, 1, 2, 0, CUIWidget::kAlignRight, 20, {"5,50:aaaaaaa", "0,60:bbbbb..."}},
        {u"", 8, 40, 2, -1, 0, CUIWidget::kAlignLeft, 20, {}},
        // 25 pixels hidden above: line 2 first, 5 pixels above the rect.
        {kFiveLines, 8, 40, -1, -1, 25, CUIWidget::kAlignLeft, 50, {"0,45:ccccccc", "0,55:ddddddd", "0,65:eeeeeee"}},
        // Narrower than "...": the line gives all its room to it.
        {u"aaaa bbbb", 8, 10, -1, 1, 0, CUIWidget::kAlignLeft, 10, {"0,50:..."}},
        // A font of no height: nothing to place.
        {kFiveLines, -2, 40, 2, -1, 0, CUIWidget::kAlignLeft, 0, {}},
    };
    for (const Case& c : cases) {
        TextFont font(c.heightBase);
        CTextWidget text;
        text.SetFont(&font.font);
        text.SetText(c.text);
        text.SetMinLines(c.minLines);
        text.SetMaxLines(c.maxLines);
        text.SetAlignment(c.alignment | CUIWidget::kAlignTop);
        text.SetLocalRect(CRect(0, 50, static_cast<std::int16_t>(c.width), 50));
        text.SetClipOffsetY(c.clipY);
        EXPECT_EQ(text.GetMeasuredHeight(), c.height) << c.maxLines;
        text.Paint();
        EXPECT_EQ(font.TakeLines(), c.drawn) << c.maxLines;
    }
}

// Intro transitions (600 ms unless given) on the 240-wide surface: the
// text enters at 240 and travels 720 pixels a second, and is in place when
// the intro ends. While it runs the widget is redrawn each frame and drawn
// unfocused, the focus marker held at its first frame; once it has ended a
// focused widget shows its bar or its playing marker, whose second frame
// (from 150 ms) draws its heads 3 pixels in, the left one's row through
// the middle then covering x 44 = 120 - 79 + 3. "frame" is the marker's.
TEST_F(Texts, SlidesInDuringTheIntroAndShowsFocusAfterIt) {
    struct Case {
        int intro, elapsed, focused, sprite, updated, x;  // intro -1: no owner
        std::uint32_t middle, edge;  // the colours at (120, 5) and (44, 5)
        int frame;
    };
    const Case cases[] = {
        {600, 100, 1, 0, 1, 168, kBack, kBack, -1}, {600, 333, 0, 0, 1, 1, kBack, kBack, -1},
        {600, 334, 0, 0, 1, 0, kBack, kBack, -1},   {600, 600, 1, 0, 1, 0, kHigh, kHigh, -1},
        {100, 100, 1, 0, 1, 0, kHigh, kHigh, -1},       {-1, 0, 1, 0, 1, 0, kHigh, kHigh, -1},
        {-1, 0, 0, 0, 0, 0, kBack, kBack, -1},      {600, 100, 1, 1, 1, 168, kBack, kBack, 0},
        {600, 600, 1, 1, 1, 0, 0, 0xFFD24A, 1},
    };
    for (const Case& c : cases) {
        ClearScreen();
        TextFont font;
        IntroNode owner(c.intro, static_cast<std::uint32_t>(c.elapsed));
        SZ_Presenter sprite = MenuSprite(10);
        CTextWidget text;
        text.SetColours(0xFF000000 | kBack, 0xFFFFFFFF, 0xFF000000 | kHigh);
        text.SetFont(&font.font);
        text.SetText(u"a");
        text.SetLocalRect(CRect(0, 0, 240, 10));
        text.SetFocusable(true);
        if (c.intro >= 0) text.SetTransitionOwner(&owner);
        if (c.sprite) text.SetFocusSprite(&sprite);
        text.Focus(c.focused != 0);
        text.Paint();
        const bool updated = text.UpdateIfEnabled(160);
        font.TakeLines();
        text.Paint();
        EXPECT_EQ(std::make_tuple(updated, font.TakeLines(), Pixel(120, 5), Pixel(44, 5)),
                  std::make_tuple(c.updated != 0, c.updated ? Lines{std::to_string(c.x) + ",0:a"} : Lines{}, c.middle,
                                  c.edge))
            << c.elapsed;
        if (c.sprite) {
            EXPECT_EQ(std::make_pair(sprite.getAnimation(), int{sprite.getTimeline().getCurrentFrame()}),
                      std::make_pair(9, c.frame));
        }
    }
}

TEST_F(Texts, OnlyANewFontTextOrWidthWrapsAgain) {
    TextFont font, other;
    fonttest::CountingFont counting(font.font), countingOther(other.font);
    const std::pair<std::function<void(CTextWidget&)>, bool> cases[] = {
        {[](CTextWidget& t) { t.SetColours(0xFF000000, 0xFF00FF00, 0xFFFF0000); }, false},
        {[](CTextWidget& t) { t.SetLocalRect(CRect(0, 0, 40, 77)); }, false},
        {[](CTextWidget& t) { t.SetLocalRect(CRect(0, 0, 41, 50)); }, true},
        {[&](CTextWidget& t) { t.SetFont(&countingOther); }, true},
    };
    for (const auto& [change, wraps] : cases) {
        CTextWidget text;
        text.SetFont(&counting);
        text.SetText(kFiveLines);
        text.SetLocalRect(CRect(0, 0, 40, 50));
        text.GetMeasuredHeight();
        counting.measures = countingOther.measures = 0;
        change(text);
        text.GetMeasuredHeight();
        EXPECT_EQ(counting.measures + countingOther.measures > 0, wraps);
    }
}

// A new text at a width of 0 leaves nothing of the old text's lines.
TEST_F(Texts, ANewTextKeepsNoLineOfTheOldOne) {
    TextFont font;
    CTextWidget text;
    text.SetFont(&font.font);
    text.SetText(kFiveLines);
    text.SetLocalRect(CRect(0, 0, 40, 50));
    EXPECT_EQ(text.GetMeasuredHeight(), 50);
    text.SetText(u"ab");
    text.SetLocalRect(CRect(0, 0, 0, 50));
    EXPECT_EQ(text.GetMeasuredHeight(), 0);
}

// The game's plain font (lines 10 high) in the screen colours, each text
// a root of its own: four lines at most three (the last ending "..." right
// after the letters that fit), centred at most two and right-aligned in
// full; and a line 100 ms into a 600 ms intro, 168 pixels short of its
// place. (The menu page's pictures show items under the focus marker.)
TEST_F(Texts, Pictures) {
    const char16_t* story = u"The ferry left at dawn. Gulls followed it past the harbour wall, and the island rose "
                            u"grey from the sea. Nobody aboard spoke of what waited there.";
    const std::uint32_t alignments[] = {CUIWidget::kAlignLeft, CUIWidget::kAlignHCentre, CUIWidget::kAlignRight,
                                        CUIWidget::kAlignLeft};
    IntroNode intro(600, 100);
    CTextWidget texts[4];
    for (int i = 0; i < 4; ++i) {
        texts[i].SetFont(CGameApp::GetFontMgr()->GetFont(0));
        texts[i].SetText(i < 3 ? story : u"Sound and vibration");
        texts[i].SetColours(0xFF041123, 0xFFFFFFFF, 0xFF0000FF);
        texts[i].SetAlignment(alignments[i] | CUIWidget::kAlignTop);
        texts[i].SetMaxLines(i < 2 ? 3 - i : -1);
        const auto y = static_cast<std::int16_t>(20 + 60 * i);
        texts[i].SetLocalRect(i < 3 ? CRect(20, y, 200, 50) : CRect(0, 20, 240, 10));
    }
    texts[3].SetTransitionOwner(&intro);
    const std::pair<const char*, std::vector<CTextWidget*>> pictures[] = {
        {"text_lines", {&texts[0], &texts[1], &texts[2]}},
        {"text_slide_in", {&texts[3]}},
    };
    for (const auto& [name, shown] : pictures) {
        ClearScreen();
        for (CTextWidget* text : shown) text->Paint();
        EXPECT_TRUE(MatchesGoldenFrame(name));
    }
}

}  // namespace
