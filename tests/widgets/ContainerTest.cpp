// Containers: child order, focus, keys to the focused child and teardown in
// any order; the layout's regions and key routing; the frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CContainerWidget.h"
#include "src/LocalWidgets/CFrameWidget.h"
#include "src/LocalWidgets/CLayoutWidget.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Containers = WidgetWorld;

std::vector<CUIWidget*> ListOf(const CContainerWidget& container) {
    std::vector<CUIWidget*> list;
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
    EXPECT_EQ(ListOf(container), std::vector<CUIWidget*>({&b, &d, &a, &c}));
    EXPECT_EQ(a.GetParent(), &container);
    // Added again, a child moves instead of being linked twice.
    container.AddChild(&a, 3);
    other.AddChild(&b, 0);
    EXPECT_EQ(ListOf(container), std::vector<CUIWidget*>({&d, &c, &a}));
    EXPECT_EQ(ListOf(other), std::vector<CUIWidget*>({&b}));
}

TEST_F(Containers, FocusMovesToFocusableChildrenWithoutWrapping) {
    struct Case {
        int start;  // focused child before, -1 none
        bool forward, moved;
        int end;
    };
    // Children 0 and 3 are focusable, 2 is focusable but disabled and hidden.
    const Case cases[] = {
        {-1, true, true, 0}, {-1, false, true, 3}, {0, true, true, 2},
        {2, true, true, 3},  {3, true, false, 3},  {0, false, false, 0},
    };
    for (const Case& c : cases) {
        CContainerWidget container;
        CUIWidget children[4];
        for (int i = 0; i < 4; ++i) {
            children[i].SetFocusable(i != 1);
            container.AddChild(&children[i], 0);
        }
        children[2].SetEnabled(false);
        children[2].SetVisible(false);
        if (c.start >= 0) container.SetFocusedChild(&children[c.start]);
        EXPECT_EQ(container.MoveFocus(c.forward), c.moved) << c.start << c.forward;
        EXPECT_EQ(container.GetFocusedChild(), &children[c.end]) << c.start << c.forward;
    }
}

TEST_F(Containers, OnlyTheFocusedChildOfAFocusedContainerIsFocusedAndSelected) {
    CContainerWidget container;
    container.SetFocusable(true);
    CUIWidget first, second, plain;
    for (CUIWidget* w : {&first, &second}) {
        w->SetFocusable(true);
        w->SetSelectable(true);
        container.AddChild(w, 0);
    }
    container.AddChild(&plain, 0);
    container.SetFocusedChild(&first);
    EXPECT_FALSE(first.IsFocused());  // the container is not focused yet
    container.Focus(true);
    container.Select(true);
    EXPECT_TRUE(first.IsFocused() && first.IsSelected());
    container.SetFocusedChild(&second);
    EXPECT_TRUE(second.IsFocused() && second.IsSelected());
    EXPECT_FALSE(first.IsFocused() || first.IsSelected());
    container.SetFocusedChild(&plain);  // not focusable: nobody holds the focus
    EXPECT_EQ(container.GetFocusedChild(), nullptr);
    EXPECT_FALSE(second.IsFocused() || second.IsSelected());
}

TEST_F(Containers, KeysReachOnlyAnEnabledVisibleFocusedChild) {
    struct Case {
        bool enabled, visible, handled;
    };
    for (const Case& c : {Case{true, true, true}, Case{false, true, false}, Case{true, false, false}}) {
        CContainerWidget container;
        CountingWidget child;
        std::string keys;
        child.keyLog = &keys;
        child.takesKeys = true;
        child.SetFocusable(true);
        container.AddChild(&child, 0);
        container.SetFocusedChild(&child);
        child.SetEnabled(c.enabled);
        child.SetVisible(c.visible);
        EXPECT_EQ(container.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyDown, 0), c.handled);
        EXPECT_EQ(keys, c.handled ? "?" : "");
    }
}

// Whatever goes first, nothing touches freed memory (the sanitizer build
// holds this).
TEST_F(Containers, TeardownInAnyOrderLeavesNoDanglingPointer) {
    auto container = std::make_unique<CLayoutWidget>();
    auto plain = std::make_unique<CUIWidget>();
    auto focused = std::make_unique<CUIWidget>();
    auto body = std::make_unique<CUIWidget>();
    auto softkeys = std::make_unique<CSoftkeyWidget>();
    focused->SetFocusable(true);
    container->AddChild(plain.get(), 1);
    container->AddChild(focused.get(), 1);
    container->SetRegion(body.get(), CLayoutWidget::kRegionBody);
    container->SetRegion(softkeys.get(), CLayoutWidget::kRegionBottom);
    container->SetFocusedChild(focused.get());

    plain.reset();
    EXPECT_EQ(ListOf(*container), std::vector<CUIWidget*>({focused.get(), body.get(), softkeys.get()}));
    focused.reset();
    EXPECT_EQ(container->GetFocusedChild(), nullptr);
    softkeys.reset();
    body.reset();
    EXPECT_FALSE(container->DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyLeftSoft, 0));
    container->SetRegion(nullptr, CLayoutWidget::kRegionBody);
    EXPECT_EQ(container->GetFirstChild(), nullptr);

    auto child = std::make_unique<CUIWidget>();
    container->AddChild(child.get(), 0);
    container.reset();
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_EQ(child->GetListNode().GetOwner(), nullptr);
}

// Top bar 20, soft-key bar 24, a body taking the rest of a 160-high screen.
TEST_F(Containers, LayoutStacksItsRegions) {
    CLayoutWidget layout;
    CountingWidget top1(10, 20), top2(10, 6), upper(10, 9), body(10, 1), bottom1(10, 24), bottom2(10, 5);
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
    EXPECT_EQ(top1.GetLocalRect(), CRect(2, 0, 116, 20));
    EXPECT_EQ(top2.GetLocalRect(), CRect(2, 20, 116, 6));
    EXPECT_EQ(upper.GetLocalRect(), CRect(2, 26, 116, 9));
    EXPECT_EQ(body.GetLocalRect(), CRect(2, 35, 116, 96));
    EXPECT_EQ(bottom2.GetLocalRect(), CRect(2, 131, 116, 5));
    EXPECT_EQ(body.GetScreenRect(), CRect(6, 43, 116, 96));
    EXPECT_EQ(layout.GetNextInRegion(&top1), &top2);
    EXPECT_EQ(layout.GetPrevInRegion(&bottom2), &bottom1);
    EXPECT_EQ(layout.GetNextInRegion(&top2), nullptr);

    CountingWidget second(10, 1);
    layout.SetRegion(&second, CLayoutWidget::kRegionBody);
    EXPECT_EQ(layout.GetRegionWidget(CLayoutWidget::kRegionBody), &second);
    EXPECT_EQ(body.GetParent(), nullptr);
    EXPECT_EQ(ListOf(layout).size(), 6u);
}

// The upper widget that cannot take the focus hears each key first, then
// the focused child, then the soft-key bar; the rest moves the focus or
// raises accept and back.
TEST_F(Containers, LayoutRoutesKeys) {
    struct Case {
        std::uint16_t key;
        std::string takers;  // widgets that take the key: 'U' upper, 'F' focused
        bool focusSecond, selected, handled;
        std::string heard;
        std::uint32_t event;
        char sender;  // 'L' layout, 'F' focused, 'S' soft keys
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
        if (c.selected) first.Select(true);

        EXPECT_EQ(layout.DispatchEvent(EVENT_KEY_PRESS, c.key, 0), c.handled) << c.key << c.takers;
        EXPECT_EQ(heard, c.heard) << c.key << c.takers;
        const CWidget* sender = c.sender == 'L' ? static_cast<CWidget*>(&layout)
                                : c.sender == 'F' ? static_cast<CWidget*>(&first)
                                                  : static_cast<CWidget*>(&softkeys);
        const std::vector<Posted> expected =
            c.event != 0 ? std::vector<Posted>{{c.event, 0, WidgetParam(sender)}} : std::vector<Posted>{};
        EXPECT_EQ(TakePosted(), expected) << c.key << c.takers;
        if (c.key == CUIWidget::kKeyUp && c.handled) {
            EXPECT_EQ(layout.GetFocusedChild(), &first);
        }
    }
}

TEST_F(Containers, AnImagelessFrameAroundFillingContentFills) {
    CFrameWidget frame;
    CountingWidget content(CWidget::kFill, CWidget::kFill);
    frame.SetLocalRect(CRect(10, 20, 100, 50));
    frame.SetContent(&content);
    EXPECT_EQ(frame.GetContent(), &content);
    EXPECT_EQ(frame.GetMeasuredWidth(), CWidget::kFill);
    EXPECT_EQ(frame.GetMeasuredHeight(), CWidget::kFill);
    frame.Paint();
    EXPECT_EQ(content.GetLocalRect(), CRect(0, 0, 100, 50));
    EXPECT_EQ(content.GetScreenRect(), CRect(10, 20, 100, 50));
    EXPECT_EQ(content.draws, 1);

    // Sized content with margins: the frame fits around it.
    CountingWidget sized(30, 12);
    frame.SetMargins(3, 4, 5);
    frame.SetContent(&sized);
    EXPECT_EQ(content.GetParent(), nullptr);
    EXPECT_EQ(frame.GetMeasuredWidth(), 36);
    EXPECT_EQ(frame.GetMeasuredHeight(), 21);
    EXPECT_EQ(sized.GetLocalRect(), CRect(3, 4, 94, 41));
}

}  // namespace
