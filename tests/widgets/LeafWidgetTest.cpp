// The leaf widgets on the headless back buffer: soft-key bar, progress bar,
// slider and ticker (fonts and labels record where they draw).
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CProgressWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CTickerWidget.h"
#include "tests/platform/FontTestSupport.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using fonttest::RecordingImage;
using Leaves = WidgetWorld;

constexpr std::uint32_t kTrack = 0x0000FF;

TEST_F(Leaves, SoftkeyBarIsAsHighAsItsTallerLabel) {
    TextFont font;
    RecordingImage tall(4, 20);
    const std::tuple<CImage*, const char16_t*, const char16_t*, std::int32_t> cases[] = {
        {nullptr, u"ab", nullptr, 13}, {nullptr, nullptr, nullptr, 0}, {&tall, nullptr, nullptr, 23},
        {nullptr, nullptr, u"ab", 13}, {&tall, u"ab", nullptr, 23},
    };
    for (const auto& [leftImage, leftText, rightText, height] : cases) {
        CSoftkeyWidget bar;
        bar.SetLeftImage(leftImage);
        bar.SetLeftText(leftText);
        bar.SetLeftFont(&font.font);
        bar.SetRightText(rightText);
        bar.SetRightFont(&font.font);
        EXPECT_EQ(bar.GetMeasuredWidth(), CWidget::kFill);
        EXPECT_EQ(bar.GetMeasuredHeight(), height);
    }
}

// The left label's start from the bar's left edge and the right label's end
// from its right edge: the configured value of the orientation, else 3.
TEST_F(Leaves, SoftkeyLabelsSitWhereTheConfigurationPutsThem) {
    const std::tuple<bool, SoftkeyOffsets, std::int32_t, std::int32_t> cases[] = {
        {false, {8, -1, -1, -1}, 8, 143}, {true, {8, -1, -1, -1}, 3, 143},
        {true, {8, 9, 5, 10}, 5, 136},    {false, {-1, 0, 7, 7}, 3, 146},
    };
    for (const auto& [landscape, offsets, leftX, rightX] : cases) {
        OpenScreen(landscape ? 640 : 480, landscape ? 480 : 640);
        CSoftkeyWidget::SetOffsets(offsets);
        TextFont font;
        RecordingImage label(10, 6);
        CSoftkeyWidget bar;
        bar.SetLeftImage(&label);
        bar.SetRightFont(&font.font);
        bar.SetRightText(u"abcdef");  // 30 pixels
        bar.SetLocalRect(CRect(0, 100, 176, 16));
        bar.Paint();
        ASSERT_FALSE(label.calls.empty() || font.sheet.calls.empty());
        EXPECT_EQ(std::make_pair(label.calls[0].x, label.calls[0].y), std::make_pair(leftX, 100 + 16 - 6 - 3));
        const fonttest::DrawCall& glyph = font.sheet.calls[0];
        EXPECT_EQ(std::make_pair(glyph.x, glyph.y), std::make_pair(rightX, 100 + 16 - 10 - 3));
    }
}

TEST_F(Leaves, SoftKeysRaiseAcceptAndBackOnlyWithALabel) {
    const std::tuple<std::uint16_t, bool, bool, bool, std::uint32_t> cases[] = {
        {CUIWidget::kKeyLeftSoft, true, false, true, EVENT_WIDGET_ACCEPT},
        {CUIWidget::kKeyLeftSoft, false, true, false, 0},
        {CUIWidget::kKeyRightSoft, false, true, true, EVENT_WIDGET_BACK},
        {CUIWidget::kKeyRightSoft, true, false, true, 0},
        {CUIWidget::kKeySelect, true, true, false, 0},
    };
    RecordingImage label(8, 8);
    for (const auto& [key, leftLabel, rightLabel, handled, event] : cases) {
        CContainerWidget root;
        CSoftkeyWidget bar;
        root.AddChild(&bar, 0);
        bar.SetLeftImage(leftLabel ? &label : nullptr);
        bar.SetRightText(rightLabel ? u"Back" : nullptr);  // a label even without a font
        EXPECT_EQ(bar.DispatchEvent(EVENT_KEY_PRESS, key, 0), handled) << key;
        EXPECT_EQ(TakePosted(), std::vector<Posted>(event != 0, {event, 0, WidgetParam(&bar)})) << key;
    }
}

// Thickness 6 from the core; in a 100-pixel rect the frame is 98 long and
// the inside 96.
TEST_F(Leaves, ProgressBarFillsInProportion) {
    const std::tuple<bool, std::int32_t, CRect, CRect> cases[] = {
        {true, 50, CRect(13, 23, 48, 4), CRect(61, 23, 48, 4)}, {true, 150, CRect(13, 23, 96, 4), CRect()},
        {true, -5, CRect(), CRect(13, 23, 96, 4)},              {true, 1, CRect(), CRect(13, 23, 96, 4)},
        {false, 50, CRect(13, 23, 4, 48), CRect(13, 71, 4, 48)},
    };
    for (const auto& [horizontal, value, fill, track] : cases) {
        ClearScreen();
        CProgressWidget bar;
        Colour(bar);
        bar.SetTrackColour(0xFF000000 | kTrack);
        bar.SetHorizontal(horizontal);
        const std::pair<std::int32_t, std::int32_t> measured(CWidget::kFill, 8);
        EXPECT_EQ(std::make_pair(bar.GetMeasuredWidth(), bar.GetMeasuredHeight()),
                  horizontal ? measured : std::make_pair(measured.second, measured.first));
        bar.SetLocalRect(horizontal ? CRect(10, 20, 100, 8) : CRect(10, 20, 8, 100));
        bar.SetValue(value);
        bar.Paint();
        EXPECT_EQ(Extent(kHigh), horizontal ? CRect(12, 22, 98, 6) : CRect(12, 22, 6, 98)) << value;
        EXPECT_EQ(Extent(kFore), fill) << value;
        EXPECT_EQ(Extent(kTrack), track) << value;
        EXPECT_EQ(Pixel(10, 20), kBack);
        bar.SetValue(value);  // unchanged: nothing to repaint
        EXPECT_FALSE(bar.Paint());
    }
}

// The knob's length shows the page, its place the position, at least an
// eighth of the 240 x 320 surface; the track shows around it. Without a
// page, or with the position outside the range, only the background.
TEST_F(Leaves, SliderKnobShowsTheVisiblePartOfTheRange) {
    const std::tuple<bool, std::int32_t, std::int32_t, std::int32_t, CRect, CRect> cases[] = {
        {false, 50, 100, 100, CRect(21, 11, 4, 100), CRect(21, 36, 4, 50)},  // 25 pixels in
        {false, 0, 100, 1, CRect(21, 51, 4, 60), CRect(21, 11, 4, 40)},
        {true, 100, 100, 10, CRect(21, 11, 70, 4), CRect(91, 11, 30, 4)},
        {false, 0, 100, 0, CRect(), CRect()},
        {false, 101, 100, 10, CRect(), CRect()},
        {false, -1, 100, 10, CRect(), CRect()},
        {false, 0, 0, 10, CRect(), CRect()},
    };
    for (const auto& [horizontal, position, range, page, track, knob] : cases) {
        ClearScreen();
        CSliderWidget slider;
        Colour(slider);
        slider.SetTrackColour(0xFF000000 | kTrack);
        slider.SetHorizontal(horizontal ? 1 : 0);
        slider.SetRange(position, range, page);
        EXPECT_EQ(horizontal ? slider.GetMeasuredWidth() : slider.GetMeasuredHeight(), CWidget::kFill);
        const CRect rect = horizontal ? CRect(20, 10, 102, 6) : CRect(20, 10, 6, 102);
        slider.SetLocalRect(rect);
        slider.Paint();
        EXPECT_EQ(Extent(kTrack), track) << position << "/" << page;
        EXPECT_EQ(Extent(kFore), knob) << position << "/" << page;
        EXPECT_EQ(Extent(kBack), rect);
    }
}

// A 15-pixel text on a 50-pixel ticker: a pass ends once the offset passes
// -65. The text is drawn at 50 + offset; a period below 1 counts as 1.
TEST_F(Leaves, TickerMovesOnePixelPerPeriodAndCountsPasses) {
    const std::tuple<std::int32_t, std::int32_t, std::vector<std::uint32_t>, std::int32_t, bool> cases[] = {
        {20, -1, {45}, 48, true},        {20, -1, {45, 15}, 47, true},    {20, 1, {65 * 20}, -15, true},
        {20, 1, {66 * 20}, 50, false},   {20, -1, {66 * 20}, 50, true},   {20, 2, {1300, 20, 1320}, 50, false},
        {0, -1, {7}, 43, true},          {-3, -1, {7}, 43, true},
    };
    for (const auto& [period, repeat, updates, x, running] : cases) {
        TextFont font;
        CTickerWidget ticker;
        ticker.SetFont(&font.font);
        ticker.SetText(u"abc");
        ticker.SetPeriod(period);
        ticker.SetRepeatLimit(repeat);
        ticker.SetLocalRect(CRect(0, 0, 50, 10));
        ticker.Paint();
        for (const std::uint32_t dt : updates) EXPECT_TRUE(ticker.UpdateIfEnabled(dt));
        font.sheet.calls.clear();
        ticker.Paint();
        ASSERT_FALSE(font.sheet.calls.empty());
        EXPECT_EQ(font.sheet.calls[0].x, x) << period << " " << updates.size();
        EXPECT_EQ(ticker.IsRunning(), running) << period << " " << updates.size();
    }
}

}  // namespace
