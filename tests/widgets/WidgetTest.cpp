// The widget base and the UI widget: the lazy measure, layout and paint
// protocol on the three dirty bits, events down, commands up and out of the
// root through the platform core.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Widgets = WidgetWorld;

constexpr std::uint32_t kClean = CWidget::kEnabled | CWidget::kVisible;

TEST_F(Widgets, FirstPaintMeasuresLaysOutAndDrawsOnceAroundTheCallback) {
    EXPECT_EQ(CWidget().GetStateFlags(), 0x513u);
    CountingWidget widget;
    EXPECT_EQ(widget.GetStateFlags(), 0x513u);
    std::string phases;
    widget.SetPaintCallback(
        [](CWidget* w, std::int32_t phase, void* data) {
            *static_cast<std::string*>(data) += std::to_string(phase) + std::to_string(static_cast<CountingWidget*>(w)->draws);
        },
        &phases);
    EXPECT_TRUE(widget.Paint());
    EXPECT_FALSE(widget.Paint());
    EXPECT_EQ(std::make_tuple(widget.measures, widget.layouts, widget.draws), std::make_tuple(1, 1, 1));
    EXPECT_EQ(phases, "1021");
    EXPECT_EQ(widget.GetStateFlags(), kClean);
}

// Each pass refuses its own invalidation and tells the parent nothing of
// it; the parent hears only the layout that a new size needs and the
// repaint that a new layout needs.
TEST_F(Widgets, AnInvalidationDuringItsOwnPassIsRefused) {
    CountingWidget parent, child;
    parent.logInvalidations = true;
    child.SetParent(&parent);
    child.invalidateInPass = true;
    EXPECT_TRUE(child.Paint());
    EXPECT_EQ(child.inPassResults, std::vector<bool>({false, false, false}));
    EXPECT_EQ(parent.invalidations, "lp");
    EXPECT_EQ(child.GetStateFlags(), kClean);
}

TEST_F(Widgets, ADisabledOrInvisibleWidgetIsMeasuredAndLaidOutButNotDrawn) {
    for (const bool disable : {true, false}) {
        CountingWidget widget;
        if (disable) {
            widget.SetEnabled(false);
        } else {
            widget.SetVisible(false);
        }
        EXPECT_FALSE(widget.Paint());
        EXPECT_EQ(std::make_tuple(widget.measures, widget.layouts, widget.draws), std::make_tuple(1, 1, 0));
        EXPECT_EQ(widget.GetStateFlags() & ~kClean, CWidget::kPaintDirty) << disable;
    }
}

// Dirt marks every ancestor up to the root, unless an ancestor is doing
// that very work: then it stops there.
TEST_F(Widgets, DirtBubblesToTheRootAndStopsAtAMeasuringAncestor) {
    struct Case {
        bool (CWidget::*invalidate)();
        std::uint32_t bit;
    };
    const Case cases[] = {{&CWidget::InvalidateSize, CWidget::kSizeDirty},
                          {&CWidget::InvalidateLayout, CWidget::kLayoutDirty},
                          {&CWidget::Invalidate, CWidget::kPaintDirty}};
    for (const Case& c : cases) {
        CContainerWidget root, middle;
        CountingWidget leaf;
        root.AddChild(&middle, 0);
        middle.AddChild(&leaf, 0);
        root.Paint();
        root.Paint();  // the first paint measured the children late and left layouts to redo
        ASSERT_EQ(root.GetStateFlags(), kClean);
        EXPECT_TRUE((leaf.*c.invalidate)());
        EXPECT_EQ(middle.GetStateFlags() & c.bit, c.bit);
        EXPECT_EQ(root.GetStateFlags() & c.bit, c.bit);
    }

    // A leaf resized by its parent's Measure leaves the grandparent clean.
    class Resizing : public CContainerWidget {
    public:
        void Measure() override { GetFirstChild()->SetLocalRect(CRect(0, 0, 5, 5)); }
    };
    CContainerWidget root;
    Resizing middle;
    CountingWidget leaf;
    root.AddChild(&middle, 0);
    middle.AddChild(&leaf, 0);
    root.Paint();
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
    struct Case {
        std::uint32_t id;
        bool enabled, handled, dirty;
    };
    const Case cases[] = {
        {EVENT_REDRAW, false, true, true},          {EVENT_PAUSE_REQUEST, false, true, true},
        {EVENT_CLAMSHELL, false, true, true},       {EVENT_RESUME, false, true, true},
        {EVENT_KEY_PRESS, false, false, false},     {EVENT_KEY_PRESS, true, true, false},
        {EVENT_WIDGET_ACCEPT, true, false, false},  {EVENT_SUSPEND, true, false, false},
    };
    for (const Case& c : cases) {
        CountingWidget widget;
        widget.takesKeys = true;
        widget.SetEnabled(c.enabled);
        widget.logInvalidations = true;
        EXPECT_EQ(widget.DispatchEvent(c.id, 4, 0), c.handled) << std::hex << c.id;
        EXPECT_EQ(widget.invalidations, c.dirty ? "p" : "") << std::hex << c.id;
    }
}

TEST_F(Widgets, AlignXAndAlignYPlaceByTheirFlags) {
    struct Case {
        std::uint32_t flags;
        std::int32_t start, end, size, x, y;
    };
    const Case cases[] = {
        {2, 0, 9, 4, 2, 0},           {4, 0, 9, 4, 5, 0},   {0, 0, 9, 4, 0, 0},    {2 | 4, 0, 9, 4, 2, 0},
        {32, 0, 9, 4, 0, 2},          {64, 0, 9, 4, 0, 5},  {32 | 64, 0, 9, 4, 0, 2},
        {2 | 32, 0, -9, 4, -7, -7},  // half of -9 rounds down to -5
        {2, 3, 12, 5, 5, 3},         {4, 3, 12, 5, 7, 3},
    };
    for (const Case& c : cases) {
        CUIWidget widget;
        widget.SetAlignment(c.flags);
        EXPECT_EQ(widget.AlignX(c.start, c.end, c.size), c.x) << c.flags;
        EXPECT_EQ(widget.AlignY(c.start, c.end, c.size), c.y) << c.flags;
    }
}

TEST_F(Widgets, FocusAndSelectTakeTheBitOnlyWithTheCapability) {
    for (const bool capable : {false, true}) {
        CUIWidget widget;
        widget.SetFocusable(capable);
        widget.SetSelectable(capable);
        widget.Paint();
        widget.Focus(true);
        EXPECT_EQ(widget.IsFocused(), capable);
        EXPECT_EQ(widget.GetStateFlags() & (CWidget::kFocused | CWidget::kPaintDirty),
                  (capable ? CWidget::kFocused : 0u) | CWidget::kPaintDirty);
        widget.Paint();
        widget.Select(true);
        EXPECT_EQ(widget.IsSelected(), capable);
        EXPECT_EQ(widget.GetStateFlags() & CWidget::kPaintDirty, CWidget::kPaintDirty);
    }
}

// Codes 5 to 7 climb through enabled containers and leave the root as one
// application event carrying the raising widget's whole address; a
// disabled container swallows them.
TEST_F(Widgets, CommandsLeaveTheRootAsApplicationEvents) {
    struct Case {
        std::uint32_t code, event;
        bool middleEnabled;
    };
    const Case cases[] = {{CWidget::kNotifyAccept, EVENT_WIDGET_ACCEPT, true},
                          {CWidget::kNotifyBack, EVENT_WIDGET_BACK, true},
                          {CWidget::kNotifyChanged, EVENT_WIDGET_CHANGED, true},
                          {CWidget::kNotifyAccept, 0, false},
                          {CWidget::kNotifyChanged, 0, false}};
    for (const Case& c : cases) {
        auto root = std::make_unique<CContainerWidget>();
        auto middle = std::make_unique<CContainerWidget>();
        auto leaf = std::make_unique<CUIWidget>();
        root->AddChild(middle.get(), 0);
        middle->AddChild(leaf.get(), 0);
        middle->SetEnabled(c.middleEnabled);
        const std::uintptr_t address = WidgetParam(leaf.get());
        leaf->Notify(c.code, 9, address);
        const std::vector<Posted> expected =
            c.event != 0 ? std::vector<Posted>{{c.event, 9, address}} : std::vector<Posted>{};
        EXPECT_EQ(TakePosted(), expected) << c.code;
    }
    // The address survives whole, high half included.
    CUIWidget root;
    const std::uintptr_t high = std::uintptr_t{0xFEDCBA98} << 32 | 0x76543210;
    root.DispatchNotify(CWidget::kNotifyAccept, 0, high);
    EXPECT_EQ(TakePosted(), std::vector<Posted>({{EVENT_WIDGET_ACCEPT, 0, high}}));
}

}  // namespace
