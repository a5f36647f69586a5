// Containers: child order, focus, keys to the focused child and teardown in
// any order; the layout's regions and key routing; the frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CFrameWidget.h"
#include "src/LocalWidgets/CLayoutWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/LocalWidgets/CVerticalContainerWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Containers = WidgetWorld;
using List = std::vector<CUIWidget*>;

List ListOf(const CContainerWidget& container) {
    List list;
    for (CUIWidget* c = container.GetFirstChild(); c != nullptr; c = container.GetNextChild(c)) list.push_back(c);
    return list;
}

TEST_F(Containers, ChildrenKeepTheirOrderAndEqualOrdersTheirArrival) {
    CContainerWidget container, other;
    CUIWidget a, b, c, d;
    container.AddChild(&a, 2);
    container.AddChild(&b, 0);
    container.AddChild(&c, 2);
    container.AddChild(&d, 1);
    EXPECT_EQ(ListOf(container), List({&b, &d, &a, &c}));
    // Added again, a child moves instead of being linked twice.
    container.AddChild(&a, 3);
    other.AddChild(&b, 0);
    EXPECT_EQ(ListOf(container), List({&d, &c, &a}));
    EXPECT_EQ(ListOf(other), List({&b}));
}

// Children 0, 2 and 3 are focusable, 2 disabled and hidden; -1 is none.
TEST_F(Containers, FocusMovesToFocusableChildrenWithoutWrapping) {
    const std::tuple<int, bool, bool, int> cases[] = {
        {-1, true, true, 0}, {-1, false, true, 3}, {0, true, true, 2}, {2, true, true, 3},
        {3, true, false, 3}, {0, false, false, 0}, {1, true, true, 0},  // SetFocusedChild refused child 1
    };
    for (const auto& [start, forward, moved, end] : cases) {
        CContainerWidget container;
        container.SetFocusable(true);
        container.Focus(true);
        CUIWidget children[4];
        for (int i = 0; i < 4; ++i) {
            children[i].SetFocusable(i != 1);
            children[i].SetSelectable(true);
            container.AddChild(&children[i], 0);
        }
        children[2].SetEnabled(false);
        children[2].SetVisible(false);
        container.SetFocusedChild(&children[3]);
        container.SetFocusedChild(start >= 0 ? &children[start] : nullptr);
        EXPECT_EQ(children[3].IsFocused() || children[3].IsSelected(), start == 3);
        EXPECT_EQ(container.MoveFocus(forward), moved) << start << forward;
        EXPECT_EQ(container.GetFocusedChild(), &children[end]) << start << forward;
        EXPECT_TRUE(children[end].IsFocused() && children[end].IsSelected());
    }
}

TEST_F(Containers, KeysReachOnlyAnEnabledVisibleFocusedChild) {
    for (const auto& [enabled, visible] : {std::pair(true, true), std::pair(false, true), std::pair(true, false)}) {
        CContainerWidget container;
        CountingWidget child;
        std::string keys;
        child.keyLog = &keys;
        child.takesKeys = true;
        child.SetFocusable(true);
        container.AddChild(&child, 0);
        container.SetFocusedChild(&child);
        child.SetEnabled(enabled);
        child.SetVisible(visible);
        EXPECT_EQ(container.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyDown, 0), enabled && visible);
        EXPECT_EQ(keys, enabled && visible ? "?" : "");
    }
}

// Whatever goes first, nothing touches freed memory (the sanitizer build
// holds this).
TEST_F(Containers, TeardownInAnyOrderLeavesNoDanglingPointer) {
    auto layout = std::make_unique<CLayoutWidget>();
    auto plain = std::make_unique<CUIWidget>();
    auto focused = std::make_unique<CUIWidget>();
    auto body = std::make_unique<CUIWidget>();
    auto softkeys = std::make_unique<CSoftkeyWidget>();
    focused->SetFocusable(true);
    layout->AddChild(plain.get(), 1);
    layout->AddChild(focused.get(), 1);
    layout->SetRegion(body.get(), CLayoutWidget::kRegionBody);
    layout->SetRegion(softkeys.get(), CLayoutWidget::kRegionBottom);
    layout->SetFocusedChild(focused.get());
    plain.reset();
    EXPECT_EQ(ListOf(*layout), List({focused.get(), body.get(), softkeys.get()}));
    focused.reset();
    EXPECT_EQ(layout->GetFocusedChild(), nullptr);
    softkeys.reset();
    body.reset();
    EXPECT_FALSE(layout->DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyLeftSoft, 0));
    layout->SetRegion(nullptr, CLayoutWidget::kRegionBody);
    EXPECT_EQ(layout->GetFirstChild(), nullptr);

    auto child = std::make_unique<CUIWidget>();
    layout->AddChild(child.get(), 0);
    layout.reset();
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(child->GetListNode().GetOwner(), nullptr);
}

// Removed from the layout, a widget loses its role: a removed soft-key bar
// or upper widget hears no key, and none of the three is touched once
// destroyed, whether it was removed first or not (the sanitizer build
// holds this).
TEST_F(Containers, RemovedOrDestroyedRegionWidgetsLoseTheirRoles) {
    for (const bool removeFirst : {true, false}) {
        SCOPED_TRACE(removeFirst);
        CContainerWidget frame;  // the screen's root; commands leave through it
        CLayoutWidget layout;
        frame.AddChild(&layout, 0);
        std::string heard;
        auto upper = std::make_unique<CountingWidget>();
        auto body = std::make_unique<CountingWidget>();
        auto softkeys = std::make_unique<CSoftkeyWidget>();
        CountingWidget nextBody;
        upper->tag = 'U';
        upper->keyLog = &heard;
        softkeys->SetLeftText(u"OK");
        layout.SetRegion(upper.get(), CLayoutWidget::kRegionUpper);
        layout.SetRegion(body.get(), CLayoutWidget::kRegionBody);
        layout.SetRegion(softkeys.get(), CLayoutWidget::kRegionBottom);
        if (removeFirst) {
            for (CUIWidget* widget : List{upper.get(), body.get(), softkeys.get()}) layout.RemoveChild(widget);
            EXPECT_FALSE(layout.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyLeftSoft, 0));
            EXPECT_EQ(heard, "");
            EXPECT_EQ(TakePosted(), std::vector<Posted>{});
        }
        upper.reset();
        body.reset();
        softkeys.reset();
        EXPECT_FALSE(layout.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyLeftSoft, 0));
        layout.SetRegion(&nextBody, CLayoutWidget::kRegionBody);
        layout.SetRegion(nullptr, CLayoutWidget::kRegionUpper);
        EXPECT_EQ(ListOf(layout), List{&nextBody});
        EXPECT_EQ(TakePosted(), std::vector<Posted>{});
    }
}

// Moved into another container, a child leaves its old one as a removal
// does: a layout forgets it as its soft-key bar, upper widget, body or
// focused child, a vertical container as its focused child or slider. While
// it lives the old container neither routes a key to it nor pulls it back;
// once it is destroyed, keys, region changes and a measure there read
// nothing of it (the sanitizer build holds this).
TEST_F(Containers, AChildMovedAwayIsForgottenByItsOldContainer) {
    enum Role { kSoftkeys, kUpper, kBody, kLayoutFocus, kFocus, kSlider };
    const char* const names[] = {"soft-key bar", "upper", "body", "layout's focused child", "focused child",
                                 "slider"};
    for (const Role role : {kSoftkeys, kUpper, kBody, kLayoutFocus, kFocus, kSlider}) {
        SCOPED_TRACE(names[role]);
        CContainerWidget frame;  // the screen's root; commands leave through it
        CLayoutWidget layout;
        CVerticalContainerWidget stack;
        frame.AddChild(&layout, 0);
        frame.AddChild(&stack, 1);
        for (CUIWidget* container : List{&layout, &stack}) {
            container->SetFocusable(true);
            container->Focus(true);
        }
        std::string heard;
        std::unique_ptr<CUIWidget> moved;
        if (role == kSoftkeys) {
            auto softkeys = std::make_unique<CSoftkeyWidget>();
            softkeys->SetLeftText(u"OK");
            layout.SetRegion(softkeys.get(), CLayoutWidget::kRegionBottom);
            moved = std::move(softkeys);
        } else if (role == kSlider) {
            auto slider = std::make_unique<CSliderWidget>();
            stack.SetSlider(slider.get());
            moved = std::move(slider);
        } else {
            auto widget = std::make_unique<CountingWidget>();
            widget->keyLog = &heard;
            widget->takesKeys = true;
            widget->SetFocusable(role == kLayoutFocus || role == kFocus);
            if (role == kUpper) layout.SetRegion(widget.get(), CLayoutWidget::kRegionUpper);
            if (role == kBody) layout.SetRegion(widget.get(), CLayoutWidget::kRegionBody);
            if (role == kLayoutFocus) layout.AddChild(widget.get(), CLayoutWidget::kRegionTop);
            if (role == kFocus) stack.AddChild(widget.get(), 0);
            if (role == kLayoutFocus) layout.SetFocusedChild(widget.get());
            if (role == kFocus) stack.SetFocusedChild(widget.get());
            moved = std::move(widget);
        }
        CContainerWidget other;
        other.AddChild(moved.get(), 0);
        const auto poke = [&] {
            for (CUIWidget* container : List{&layout, &stack}) {
                container->DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyLeftSoft, 0);
            }
            layout.SetRegion(nullptr, CLayoutWidget::kRegionUpper);
            layout.SetRegion(nullptr, CLayoutWidget::kRegionBody);
            stack.Measure();
        };
        poke();
        EXPECT_EQ(heard, "");
        EXPECT_EQ(TakePosted(), std::vector<Posted>{});
        EXPECT_EQ(ListOf(other), List{moved.get()});
        EXPECT_EQ(moved->GetParent(), &other);
        EXPECT_EQ(layout.GetFocusedChild(), nullptr);
        EXPECT_EQ(stack.GetFocusedChild(), nullptr);
        moved.reset();
        poke();
        EXPECT_EQ(TakePosted(), std::vector<Posted>{});
    }
}

// A top bar of 20 and a soft-key bar of 24 leave the body 116 of 160. An
// upper widget that fills takes the room the bars leave.
TEST_F(Containers, LayoutStacksItsRegions) {
    CLayoutWidget layout;
    CountingWidget top1(10, 20), top2(10, 6), upper(10, CWidget::kFill), body(10, 1), bottom1(10, 24), bottom2(10, 5);
    CountingWidget second;
    layout.SetLocalRect(CRect(0, 0, 120, 160));
    layout.SetMargins(2, 0);
    layout.SetRegion(&top1, CLayoutWidget::kRegionTop);
    layout.SetRegion(&bottom1, CLayoutWidget::kRegionBottom);
    layout.SetRegion(&body, CLayoutWidget::kRegionBody);
    layout.Paint();
    EXPECT_EQ(layout.GetMeasuredWidth(), CWidget::kFill);
    EXPECT_EQ(body.GetLocalRect(), CRect(2, 20, 116, 116));
    EXPECT_EQ(bottom1.GetLocalRect(), CRect(2, 136, 116, 24));

    layout.SetRegion(&top2, CLayoutWidget::kRegionTop);
    layout.SetRegion(&bottom2, CLayoutWidget::kRegionBottom);
    layout.SetRegion(&upper, CLayoutWidget::kRegionUpper);
    layout.SetLocalRect(CRect(4, 8, 120, 160));
    layout.Paint();
    const List widgets = {&top1, &top2, &upper, &body, &bottom2};
    const CRect rects[] = {CRect(2, 0, 116, 20), CRect(2, 20, 116, 6), CRect(2, 26, 116, 105), CRect(2, 131, 116, 0),
                           CRect(2, 131, 116, 5)};
    for (std::size_t i = 0; i < widgets.size(); ++i) EXPECT_EQ(widgets[i]->GetLocalRect(), rects[i]) << i;
    EXPECT_EQ(upper.GetScreenRect(), CRect(6, 34, 116, 105));
    EXPECT_EQ(layout.GetNextInRegion(&top1), &top2);
    EXPECT_EQ(layout.GetPrevInRegion(&bottom2), &bottom1);
    EXPECT_EQ(layout.GetNextInRegion(&top2), nullptr);

    layout.SetRegion(&second, CLayoutWidget::kRegionBody);
    EXPECT_EQ(layout.GetRegionWidget(CLayoutWidget::kRegionBody), &second);
    EXPECT_EQ(body.GetParent(), nullptr);
    EXPECT_EQ(ListOf(layout).size(), 6u);
}

// An upper widget that cannot take the focus hears each key first, then
// the focused child, then the soft-key bar; what none takes moves the
// focus or raises accept and back, sent by 'L' the layout, 'F' the focused
// child or 'S' the soft-key bar.
TEST_F(Containers, LayoutRoutesKeys) {
    struct Case {
        std::uint16_t key;
        std::string takers;
        bool focusSecond, selected, handled;
        std::string heard;
        std::uint32_t event;
        char sender;
    };
    const Case cases[] = {
        {CUIWidget::kKeyDown, "U", false, false, true, "U", 0, 0},
        {CUIWidget::kKeyDown, "F", false, false, true, "UF", 0, 0},
        {CUIWidget::kKeyLeftSoft, "", false, false, true, "UF", EVENT_WIDGET_ACCEPT, 'S'},
        {CUIWidget::kKeyUp, "", false, false, false, "UF", 0, 0},
        {CUIWidget::kKeyUp, "", true, false, true, "UF", 0, 0},
        {CUIWidget::kKeySelect, "", false, true, true, "UF", EVENT_WIDGET_ACCEPT, 'F'},
        {CUIWidget::kKeySelect, "", false, false, true, "UF", EVENT_WIDGET_ACCEPT, 'L'},
        {CUIWidget::kKeyBack, "", false, true, true, "UF", EVENT_WIDGET_BACK, 'L'},
    };
    for (const Case& c : cases) {
        CContainerWidget frame;  // the screen's root; commands leave through it
        CLayoutWidget layout;
        frame.AddChild(&layout, 0);
        CountingWidget upper, first, second;
        CSoftkeyWidget softkeys;
        softkeys.SetLeftText(u"OK");
        std::string heard;
        upper.tag = 'U';
        first.tag = second.tag = 'F';
        for (CountingWidget* w : {&upper, &first, &second}) {
            w->keyLog = &heard;
            w->takesKeys = c.takers.find(w->tag) != std::string::npos;
        }
        first.SetFocusable(true);
        second.SetFocusable(true);
        first.SetSelectable(c.selected);
        layout.SetRegion(&upper, CLayoutWidget::kRegionUpper);
        layout.SetRegion(&first, CLayoutWidget::kRegionBody);
        layout.SetRegion(&second, CLayoutWidget::kRegionBottom);
        layout.SetRegion(&softkeys, CLayoutWidget::kRegionBottom);
        layout.SetFocusedChild(c.focusSecond ? &second : &first);
        first.Select(true);

        EXPECT_EQ(layout.DispatchEvent(EVENT_KEY_PRESS, c.key, 0), c.handled) << c.key << c.takers;
        EXPECT_EQ(heard, c.heard) << c.key << c.takers;
        const CWidget* sender = c.sender == 'L' ? static_cast<CWidget*>(&layout)
                                : c.sender == 'F' ? static_cast<CWidget*>(&first)
                                                  : static_cast<CWidget*>(&softkeys);
        const std::vector<Posted> expected(c.event != 0, {c.event, 0, WidgetParam(sender)});
        EXPECT_EQ(TakePosted(), expected) << c.key << c.takers;
        EXPECT_EQ(layout.GetFocusedChild(), c.focusSecond && !c.handled ? &second : &first);
    }
}

TEST_F(Containers, AnImagelessFrameAroundFillingContentFills) {
    CFrameWidget frame;
    CountingWidget content(CWidget::kFill, CWidget::kFill);
    frame.SetLocalRect(CRect(10, 20, 100, 50));
    frame.SetContent(&content);
    EXPECT_EQ(std::make_pair(frame.GetMeasuredWidth(), frame.GetMeasuredHeight()),
              std::make_pair(CWidget::kFill, CWidget::kFill));
    frame.Paint();
    EXPECT_EQ(content.GetLocalRect(), CRect(0, 0, 100, 50));
    EXPECT_EQ(content.GetScreenRect(), CRect(10, 20, 100, 50));
    EXPECT_EQ(content.draws, 1);
    frame.SetContent(nullptr);
    EXPECT_EQ(content.GetParent(), nullptr);
}

}  // namespace
