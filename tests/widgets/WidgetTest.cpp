// The widget base and the UI widget: the lazy measure, layout and paint
// protocol, events down, commands up and out of the root.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Widgets = WidgetWorld;

constexpr std::uint32_t kClean = CWidget::kEnabled | CWidget::kVisible;

TEST_F(Widgets, FirstPaintMeasuresLaysOutAndDrawsOnceAroundTheCallback) {
    CountingWidget widget;
    std::string phases;
    widget.SetPaintCallback(
        [](CWidget* w, std::int32_t phase, void* log) {
            *static_cast<std::string*>(log) += std::to_string(phase * 10 + static_cast<CountingWidget*>(w)->draws);
        },
        &phases);
    EXPECT_TRUE(widget.Paint());
    EXPECT_FALSE(widget.Paint());
    EXPECT_EQ(std::make_tuple(widget.measures, widget.layouts, widget.draws, phases), std::make_tuple(1, 1, 1, "1021"));
    EXPECT_EQ(widget.GetStateFlags(), kClean);
}

// The parent hears only the layout a new size needs and the repaint a new
// layout needs, never a pass's invalidation of itself.
TEST_F(Widgets, AnInvalidationDuringItsOwnPassIsRefused) {
    CountingWidget parent, child;
    child.SetParent(&parent);
    child.invalidateInPass = true;
    EXPECT_TRUE(child.Paint());
    EXPECT_EQ(child.inPassResults, std::vector<bool>({false, false, false}));
    EXPECT_EQ(parent.invalidations, "lp");
}

TEST_F(Widgets, ADisabledOrInvisibleWidgetIsMeasuredAndLaidOutButNotDrawn) {
    for (const bool disable : {true, false}) {
        CountingWidget widget;
        std::invoke(disable ? &CWidget::SetEnabled : &CWidget::SetVisible, widget, false);
        EXPECT_FALSE(widget.Paint());
        EXPECT_EQ(std::make_tuple(widget.measures, widget.layouts, widget.draws), std::make_tuple(1, 1, 0));
        EXPECT_EQ(widget.GetStateFlags() & ~kClean, CWidget::kPaintDirty);
    }
}

TEST_F(Widgets, DirtBubblesToTheRootAndStopsAtAMeasuringAncestor) {
    const std::pair<bool (CWidget::*)(), std::uint32_t> cases[] = {{&CWidget::InvalidateSize, CWidget::kSizeDirty},
                                                                    {&CWidget::InvalidateLayout, CWidget::kLayoutDirty},
                                                                    {&CWidget::Invalidate, CWidget::kPaintDirty}};
    for (const auto& [invalidate, bit] : cases) {
        CContainerWidget root, middle;
        CountingWidget leaf;
        root.AddChild(&middle, 0);
        middle.AddChild(&leaf, 0);
        root.Paint();
        root.Paint();  // the first paint measured the children late and left layouts to redo
        ASSERT_EQ(root.GetStateFlags(), kClean);
        EXPECT_TRUE((leaf.*invalidate)());
        EXPECT_EQ(middle.GetStateFlags() & root.GetStateFlags() & bit, bit);
    }
    // A leaf resized by its parent's Measure leaves the grandparent clean.
    struct Resizing : CContainerWidget {
        void Measure() override { GetFirstChild()->SetLocalRect(CRect(0, 0, 5, 5)); }
    } middle;
    CContainerWidget root;
    CountingWidget leaf;
    root.AddChild(&middle, 0);
    middle.AddChild(&leaf, 0);
    middle.InvalidateSize();
    root.EnsureMeasured();
    EXPECT_TRUE(middle.EnsureMeasured());
    EXPECT_EQ(leaf.GetStateFlags() & CWidget::kSizeDirty, CWidget::kSizeDirty);
    EXPECT_EQ(root.GetStateFlags() & CWidget::kSizeDirty, 0u);
}

TEST_F(Widgets, ARootsScreenRectFollowsItsLocalRect) {
    CountingWidget root;
    root.SetLocalRect(CRect(1, 2, 30, 40));
    root.Paint();
    root.SetLocalRect(CRect(5, 6, 70, 80));  // size-dirty only: no layout pending
    EXPECT_FALSE(root.EnsureLaidOut());
    EXPECT_EQ(root.GetScreenRect(), CRect(5, 6, 70, 80));
}

TEST_F(Widgets, RedrawLikeEventsInvalidateEvenADisabledWidget) {
    const std::tuple<std::uint32_t, bool, bool, std::string> cases[] = {
        {EVENT_REDRAW, false, true, "p"},     {EVENT_PAUSE_REQUEST, false, true, "p"},
        {EVENT_CLAMSHELL, false, true, "p"},  {EVENT_RESUME, false, true, "p"},
        {EVENT_KEY_PRESS, false, false, ""},  {EVENT_KEY_PRESS, true, true, ""},
        {EVENT_WIDGET_ACCEPT, true, false, ""},
    };
    for (const auto& [id, enabled, handled, invalidations] : cases) {
        CountingWidget widget;
        widget.takesKeys = true;
        widget.SetEnabled(enabled);
        widget.invalidations.clear();
        EXPECT_EQ(widget.DispatchEvent(id, 4, 0), handled) << std::hex << id;
        EXPECT_EQ(widget.invalidations, invalidations) << std::hex << id;
    }
}

// Half of an odd span rounds towards minus infinity.
TEST_F(Widgets, AlignXAndAlignYPlaceByTheirFlags) {
    const std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {2, 9, 2, 0},     {4, 9, 5, 0},      {0, 9, 0, 0}, {2 | 4, 9, 2, 0},
        {32, 9, 0, 2},    {64 | 32, 9, 0, 2}, {2 | 64, -9, -7, -13},
    };
    for (const auto& [flags, end, x, y] : cases) {
        CUIWidget widget;
        widget.SetAlignment(flags);
        EXPECT_EQ(widget.AlignX(0, end, 4), x) << flags;
        EXPECT_EQ(widget.AlignY(0, end, 4), y) << flags;
    }
}

// Without the capability the bit is cleared, and the widget still repaints.
TEST_F(Widgets, FocusAndSelectTakeTheBitOnlyWithTheCapability) {
    for (const bool capable : {false, true}) {
        CountingWidget widget;
        widget.SetFocusable(capable);
        widget.SetSelectable(capable);
        widget.invalidations.clear();
        widget.Focus(true);
        widget.Select(true);
        EXPECT_EQ(widget.GetStateFlags() & (CWidget::kFocused | CWidget::kSelected), capable ? 0xCu : 0u);
        EXPECT_EQ(widget.invalidations, "pp");
    }
}

// Codes 5 to 7 climb through enabled containers and leave the root as one
// application event carrying the raising widget's whole address; a
// disabled container swallows them.
TEST_F(Widgets, CommandsLeaveTheRootAsApplicationEvents) {
    const std::tuple<std::uint32_t, std::uint32_t, bool> cases[] = {
        {CWidget::kNotifyAccept, EVENT_WIDGET_ACCEPT, true}, {CWidget::kNotifyBack, EVENT_WIDGET_BACK, true},
        {CWidget::kNotifyChanged, EVENT_WIDGET_CHANGED, true}, {CWidget::kNotifyAccept, 0, false},
        {CWidget::kNotifyScroll, 0, true},
    };
    for (const auto& [code, event, enabled] : cases) {
        auto root = std::make_unique<CContainerWidget>();
        auto middle = std::make_unique<CContainerWidget>();
        auto leaf = std::make_unique<CUIWidget>();
        root->AddChild(middle.get(), 0);
        middle->AddChild(leaf.get(), 0);
        middle->SetEnabled(enabled);
        leaf->Notify(code, 9, WidgetParam(leaf.get()));
        const std::vector<Posted> expected(event != 0, {event, 9, WidgetParam(leaf.get())});
        EXPECT_EQ(TakePosted(), expected) << code;
    }
    CUIWidget root;
    const std::uintptr_t high = std::uintptr_t{0xFEDCBA98} << 32 | 0x76543210;
    root.DispatchNotify(CWidget::kNotifyAccept, 0, high);
    EXPECT_EQ(TakePosted(), std::vector<Posted>({{EVENT_WIDGET_ACCEPT, 0, high}}));
}

}  // namespace
