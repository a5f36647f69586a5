// The leaf widgets: soft-key bar, progress bar, spacer, slider and ticker,
// drawn on the headless back buffer (fonts and labels record their draws).
#include <gtest/gtest.h>

#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CProgressWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"
#include "src/LocalWidgets/CTickerWidget.h"
#include "tests/platform/FontTestSupport.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using fonttest::LoadedFont;
using fonttest::RecordingImage;
using Leaves = WidgetWorld;

constexpr std::uint32_t kBack = 0x101010, kFore = 0x00FF00, kHigh = 0xFF0000, kTrack = 0x0000FF;

// Glyphs a-f, 5 pixels apart, 10 pixels high, drawn from a recording sheet.
struct Font {
    Font() : loaded(Desc()) { loaded.font.SetImage(&sheet); }
    static vktools::FontDesc Desc() {
        vktools::FontDesc desc = fonttest::FixedFont(u"abcdef", u"", 5);
        desc.heightBase = 8;
        return desc;
    }
    CFont* operator->() { return &loaded.font; }
    CFont* get() { return &loaded.font; }
    LoadedFont loaded;
    RecordingImage sheet;
};

template <typename W>
void Colour(W& widget) {
    widget.SetColours(0xFF000000 | kBack, 0xFF000000 | kFore, 0xFF000000 | kHigh);
}

TEST_F(Leaves, SoftkeyBarIsAsHighAsItsTallerLabel) {
    Font font;
    RecordingImage tall(4, 20), small(4, 5);
    struct Case {
        CImage* leftImage;
        const char16_t* leftText;
        CImage* rightImage;
        const char16_t* rightText;
        std::int32_t height;
    };
    const Case cases[] = {
        {nullptr, u"ab", nullptr, nullptr, 13}, {nullptr, nullptr, nullptr, nullptr, 0},
        {&tall, nullptr, nullptr, nullptr, 23}, {&small, nullptr, nullptr, u"ab", 13},
        {&small, u"ab", &tall, nullptr, 23},
    };
    for (const Case& c : cases) {
        CSoftkeyWidget bar;
        bar.SetLeftImage(c.leftImage);
        bar.SetLeftText(c.leftText);
        bar.SetLeftFont(font.get());
        bar.SetRightImage(c.rightImage);
        bar.SetRightText(c.rightText);
        bar.SetRightFont(font.get());
        EXPECT_EQ(bar.GetMeasuredWidth(), CWidget::kFill);
        EXPECT_EQ(bar.GetMeasuredHeight(), c.height);
    }
}

// The left label is placed from the left edge, the right label's end from
// the right edge, by the configured value of the orientation or the margin.
TEST_F(Leaves, SoftkeyLabelsSitWhereTheConfigurationPutsThem) {
    struct Case {
        bool landscape;
        SoftkeyOffsets offsets;
        std::int32_t leftX, rightX;
    };
    const Case cases[] = {
        {false, {8, -1, -1, -1}, 8, 143},  {true, {8, -1, -1, -1}, 3, 143}, {true, {8, 9, 5, 10}, 5, 136},
        {false, {-1, 0, 7, 7}, 3, 146},
    };
    for (const Case& c : cases) {
        OpenScreen(c.landscape ? 640 : 480, c.landscape ? 480 : 640);
        CSoftkeyWidget::SetOffsets(c.offsets);
        Font font;
        RecordingImage label(10, 6);
        CSoftkeyWidget bar;
        bar.SetLeftImage(&label);
        bar.SetRightFont(font.get());
        bar.SetRightText(u"abcdef");  // 30 pixels
        bar.SetLocalRect(CRect(0, 100, 176, 16));
        bar.Paint();
        ASSERT_FALSE(label.calls.empty());
        EXPECT_EQ(label.calls[0].x, c.leftX);
        EXPECT_EQ(label.calls[0].y, 100 + 16 - 6 - 3);
        ASSERT_FALSE(font.sheet.calls.empty());
        EXPECT_EQ(font.sheet.calls[0].x, c.rightX);
        EXPECT_EQ(font.sheet.calls[0].y, 100 + 16 - 10 - 3);
    }
    CSoftkeyWidget::SetOffsets({});
}

TEST_F(Leaves, SoftKeysRaiseAcceptAndBackOnlyWithALabel) {
    struct Case {
        std::uint16_t key;
        bool leftLabel, rightLabel, handled;
        std::uint32_t event;
    };
    const Case cases[] = {
        {CUIWidget::kKeyLeftSoft, true, false, true, EVENT_WIDGET_ACCEPT},
        {CUIWidget::kKeyLeftSoft, false, true, false, 0},
        {CUIWidget::kKeyRightSoft, false, true, true, EVENT_WIDGET_BACK},
        {CUIWidget::kKeyRightSoft, true, false, true, 0},
        {CUIWidget::kKeySelect, true, true, false, 0},
    };
    RecordingImage label(8, 8);
    for (const Case& c : cases) {
        CContainerWidget root;
        CSoftkeyWidget bar;
        root.AddChild(&bar, 0);
        if (c.leftLabel) bar.SetLeftImage(&label);
        if (c.rightLabel) bar.SetRightText(u"Back");  // a label even without a font
        EXPECT_EQ(bar.DispatchEvent(EVENT_KEY_PRESS, c.key, 0), c.handled) << c.key;
        const std::vector<Posted> expected =
            c.event != 0 ? std::vector<Posted>{{c.event, 0, WidgetParam(&bar)}} : std::vector<Posted>{};
        EXPECT_EQ(TakePosted(), expected) << c.key;
    }
}

TEST_F(Leaves, ProgressBarMeasuresItsBarAndFrame) {
    CProgressWidget bar;  // thickness from the core: 6
    EXPECT_EQ(bar.GetThickness(), 6);
    EXPECT_EQ(std::make_pair(bar.GetMeasuredWidth(), bar.GetMeasuredHeight()), std::make_pair(CWidget::kFill, 8));
    bar.SetHorizontal(false);
    bar.SetLength(40);
    EXPECT_EQ(std::make_pair(bar.GetMeasuredWidth(), bar.GetMeasuredHeight()), std::make_pair(8, 42));
}

// In a 100-pixel rect the frame is 98 wide and the inside 96.
TEST_F(Leaves, ProgressBarFillsInProportion) {
    struct Case {
        bool horizontal;
        std::int32_t value;
        CRect fill, track;
    };
    const Case cases[] = {
        {true, 50, CRect(13, 23, 48, 4), CRect(61, 23, 48, 4)},
        {true, 150, CRect(13, 23, 96, 4), CRect()},
        {true, 100, CRect(13, 23, 96, 4), CRect()},
        {true, -5, CRect(), CRect(13, 23, 96, 4)},
        {true, 1, CRect(), CRect(13, 23, 96, 4)},
        {false, 50, CRect(13, 23, 4, 48), CRect(13, 71, 4, 48)},
    };
    for (const Case& c : cases) {
        ClearScreen();
        CProgressWidget bar;
        Colour(bar);
        bar.SetTrackColour(0xFF000000 | kTrack);
        bar.SetHorizontal(c.horizontal);
        bar.SetLocalRect(c.horizontal ? CRect(10, 20, 100, 8) : CRect(10, 20, 8, 100));
        bar.SetValue(c.value);
        bar.Paint();
        EXPECT_EQ(Extent(kHigh), c.horizontal ? CRect(12, 22, 98, 6) : CRect(12, 22, 6, 98)) << c.value;
        EXPECT_EQ(Extent(kFore), c.fill) << c.value;
        EXPECT_EQ(Extent(kTrack), c.track) << c.value;
        EXPECT_EQ(Pixel(10, 20), kBack);
    }
}

TEST_F(Leaves, TheSameProgressValueDoesNotInvalidate) {
    CProgressWidget bar;
    bar.SetValue(30);
    bar.Paint();
    bar.SetValue(30);
    EXPECT_EQ(bar.GetStateFlags() & CWidget::kPaintDirty, 0u);
    bar.SetValue(31);
    EXPECT_EQ(bar.GetStateFlags() & CWidget::kPaintDirty, CWidget::kPaintDirty);
}

TEST_F(Leaves, SpacerDrawsItsBackgroundAndOptionallyALine) {
    struct Case {
        std::int32_t style;
        bool transparent;
        CRect background, line;
    };
    const Case cases[] = {
        {0, false, CRect(0, 50, 40, 6), CRect()},
        {0, true, CRect(), CRect()},
        {1, false, CRect(0, 53, 40, 3), CRect(0, 50, 40, 3)},
    };
    for (const Case& c : cases) {
        ClearScreen();
        CSpacerWidget spacer;
        Colour(spacer);
        spacer.SetTransparent(c.transparent);
        spacer.SetStyle(c.style);
        spacer.SetHeight(3);
        EXPECT_EQ(spacer.GetMeasuredHeight(), 3);
        spacer.SetLocalRect(CRect(0, 50, 40, 6));
        spacer.Paint();
        EXPECT_EQ(Extent(kBack), c.background) << c.style;
        EXPECT_EQ(Extent(kFore), c.line) << c.style;
    }
}

// The knob's length shows the page, its place the position; at least an
// eighth of the 240 x 320 surface. The track shows around the knob.
TEST_F(Leaves, SliderKnobShowsTheVisiblePartOfTheRange) {
    struct Case {
        bool horizontal;
        std::int32_t position, range, page;
        CRect track, knob;
    };
    const Case cases[] = {
        {false, 50, 100, 100, CRect(21, 11, 4, 100), CRect(21, 36, 4, 50)},  // 25 pixels in
        {false, 0, 100, 1, CRect(21, 51, 4, 60), CRect(21, 11, 4, 40)},
        {true, 100, 100, 10, CRect(21, 11, 70, 4), CRect(91, 11, 30, 4)},
        {false, 0, 100, 0, CRect(), CRect()},
        {false, 101, 100, 10, CRect(), CRect()},
        {false, -1, 100, 10, CRect(), CRect()},
        {false, 0, 0, 10, CRect(), CRect()},
    };
    for (const Case& c : cases) {
        ClearScreen();
        CSliderWidget slider;
        Colour(slider);
        slider.SetTrackColour(0xFF000000 | kTrack);
        slider.SetHorizontal(c.horizontal ? 1 : 0);
        slider.SetRange(c.position, c.range, c.page);
        EXPECT_EQ(c.horizontal ? slider.GetMeasuredWidth() : slider.GetMeasuredHeight(), CWidget::kFill);
        const CRect rect = c.horizontal ? CRect(20, 10, 102, 6) : CRect(20, 10, 6, 102);
        slider.SetLocalRect(rect);
        slider.Paint();
        EXPECT_EQ(Extent(kTrack), c.track) << c.position << "/" << c.page;
        EXPECT_EQ(Extent(kFore), c.knob) << c.position << "/" << c.page;
        EXPECT_EQ(Extent(kBack), rect) << c.position;
    }
}

// Period 20 on a 50-pixel ticker with a 15-pixel text: a pass ends once the
// offset passes -65.
TEST_F(Leaves, TickerMovesOnePixelPerPeriodAndCountsPasses) {
    struct Case {
        std::int32_t period, repeat;
        std::vector<std::uint32_t> updates;
        std::int32_t x;  // of the text after them
        bool running;
    };
    const Case cases[] = {
        {20, -1, {45}, 48, true},          {20, -1, {45, 15}, 47, true},  {20, 1, {65 * 20}, -15, true},
        {20, 1, {66 * 20}, 50, false},     {20, -1, {66 * 20}, 50, true}, {20, 2, {66 * 20, 66 * 20}, 50, false},
        {0, -1, {7}, 43, true},            {-3, -1, {7}, 43, true},
    };
    for (const Case& c : cases) {
        Font font;
        CTickerWidget ticker;
        ticker.SetFont(font.get());
        ticker.SetText(u"abc");
        ticker.SetPeriod(c.period);
        ticker.SetRepeatLimit(c.repeat);
        ticker.SetLocalRect(CRect(0, 0, 50, 10));
        ticker.Paint();
        for (const std::uint32_t dt : c.updates) EXPECT_TRUE(ticker.UpdateIfEnabled(dt));
        font.sheet.calls.clear();
        ticker.Paint();
        ASSERT_FALSE(font.sheet.calls.empty());
        EXPECT_EQ(font.sheet.calls[0].x, c.x) << c.period << " " << c.updates.size();
        EXPECT_EQ(ticker.IsRunning(), c.running);
    }
    CTickerWidget idle;
    EXPECT_FALSE(idle.IsRunning());
    Font font;
    idle.SetFont(font.get());
    idle.SetText(u"");
    EXPECT_FALSE(idle.IsRunning());
}

}  // namespace
