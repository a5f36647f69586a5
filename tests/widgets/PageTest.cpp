// The vertical container and the page: stacking, overflow and indicator
// room, clipping what is out of view, scrolling, paging, wrapping and the
// page's items. tests/framework/MenuPageTest.cpp drives a menu page key by
// key in the running game.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CPageWidget.h"
#include "src/LocalWidgets/CSliderWidget.h"
#include "tests/widgets/WidgetWorld.h"

namespace {

using Pages = WidgetWorld;

// Children of the given heights, focusable and selectable when asked.
struct Stack {
    explicit Stack(std::vector<std::int32_t> heights, bool focusable = false) {
        for (const std::int32_t h : heights) {
            children.push_back(std::make_unique<CountingWidget>(10, h));
            children.back()->SetFocusable(focusable);
            children.back()->SetSelectable(focusable);
        }
    }
    void AddTo(CPageWidget& page) {
        for (auto& child : children) page.AddItem(child.get());
    }
    std::vector<std::unique_ptr<CountingWidget>> children;
};

// Screen rects, "-" for a child out of view (disabled and hidden).
std::vector<std::string> Shown(const Stack& stack) {
    std::vector<std::string> shown;
    for (const auto& c : stack.children) {
        const CRect& r = c->GetScreenRect();
        const bool inView = c->IsEnabled() && c->IsVisible();
        shown.push_back(inView ? std::to_string(r.y) + "+" + std::to_string(r.h) : "-");
    }
    return shown;
}

// A page at (0, 10), 100 high, with the indicators (5 high) where asked:
// with the 320-high surface the spacing is 5 and each indicator takes 15.
// Down pages by (100 * 716) >> 10 = 69, with both indicators by
// (70 * 716) >> 10 = 48.
TEST_F(Pages, StacksClipsAndScrollsItsChildren) {
    struct Case {
        std::vector<std::int32_t> heights;
        bool up, down;
        std::uint32_t alignment;
        int downKeys;
        bool overflow;
        std::int32_t measured, scroll;
        std::vector<std::string> shown;
        std::int32_t margin = 0;  // top and bottom
        bool slider = false;      // instead of the indicators
    };
    const std::uint32_t centred = CUIWidget::kAlignVCentre | CUIWidget::kAlignLeft;
    const std::uint32_t bottom = CUIWidget::kAlignBottom | CUIWidget::kAlignLeft;
    const Case cases[] = {
        // No overflow without indicators; a page still pages through them.
        {{40, 40, 40}, false, false, 0, 0, false, 120, 0, {"10+40", "50+40", "90+20"}},
        {{40, 40, 40}, false, false, 0, 1, false, 120, 20, {"10+20", "30+40", "70+40"}},
        {{40, 40, 40}, false, false, 0, 2, false, 120, 20, {"10+20", "30+40", "70+40"}},
        {{40, 40, 40}, true, false, 0, 0, false, 120, 0, {"10+40", "50+40", "90+20"}},
        // Both indicators: 70 pixels of content after 15 reserved above.
        {{40, 40, 40}, true, true, centred, 0, true, 150, 0, {"25+40", "65+30", "-"}},
        {{40, 40, 40}, true, true, centred, 1, true, 150, 48, {"-", "25+32", "57+38"}},
        // A filling child gets three quarters of the 320-high surface.
        {{20, CWidget::kFill}, false, false, 0, 0, false, 260, 0, {"10+20", "30+80"}},
        // Without overflow a centred stack centres.
        {{20, 20}, true, true, centred, 0, false, 40, 0, {"40+20", "60+20"}},
        // Margins of 10: a stack that fits aligns within the 80 between them.
        {{35, 35}, true, true, centred, 0, false, 70, 0, {"25+35", "60+35"}, 10},
        {{35, 35}, true, true, bottom, 0, false, 70, 0, {"30+35", "65+35"}, 10},
        {{35, 35}, false, false, centred, 0, false, 70, 0, {"25+35", "60+35"}, 10, true},
        {{35, 35}, false, false, bottom, 0, false, 70, 0, {"30+35", "65+35"}, 10, true},
    };
    for (const Case& c : cases) {
        SZ_Presenter up = MenuSprite(10), down = MenuSprite(11);
        CSliderWidget slider;
        CPageWidget page;
        Stack stack(c.heights);
        stack.AddTo(page);
        page.SetScrollIndicators(c.up ? &up : nullptr, c.down ? &down : nullptr);
        if (c.slider) page.SetSlider(&slider);
        page.SetMargins(0, c.margin);
        page.SetAlignment(c.alignment);
        page.SetLocalRect(CRect(0, 10, 240, 100));
        page.Paint();
        for (int i = 0; i < c.downKeys; ++i) page.DispatchEvent(EVENT_KEY_PRESS, CUIWidget::kKeyDown, 0);
        page.Paint();
        EXPECT_EQ(std::make_tuple(page.IsOverflowing(), page.GetMeasuredHeight(), page.GetScrollY(), Shown(stack)),
                  std::make_tuple(c.overflow, c.measured, c.scroll, c.shown));
    }
}

// The slider (6 thick, from the core) takes the right edge of an
// overflowing page and narrows its children; whichever goes first, neither
// keeps the other's address (the sanitizer build holds this).
TEST_F(Pages, ASliderTakesTheRightEdgeAndOutlivesOrPrecedesThePage) {
    auto slider = std::make_unique<CSliderWidget>();
    {
        CPageWidget page;
        Stack stack({80, 80});
        stack.AddTo(page);
        page.SetSlider(slider.get());
        page.SetLocalRect(CRect(0, 10, 240, 100));
        page.Paint();
        EXPECT_EQ(std::make_pair(stack.children[0]->GetLocalRect().w, slider->GetScreenRect()),
                  std::make_pair(std::int16_t{234}, CRect(234, 10, 6, 100)));
        slider.reset();
        page.MarkDirty();
        page.Paint();
        slider = std::make_unique<CSliderWidget>();
        page.SetSlider(slider.get());
        page.Paint();
        // Given and gone before the page measured again.
        slider = std::make_unique<CSliderWidget>();
        page.SetSlider(slider.get());
        slider.reset();
        page.Paint();
        slider = std::make_unique<CSliderWidget>();
        page.SetSlider(slider.get());
        page.Paint();
    }
    slider.reset();
}

// An outer page holds the inner one, scrolled 5 down; at its top the inner
// page passes the request on.
TEST_F(Pages, ScrollRequestsMoveWithinTheContentElsePassUp) {
    const std::tuple<std::int32_t, std::uint16_t, std::uint32_t, bool, std::int32_t, std::int32_t> cases[] = {
        {4, CUIWidget::kScrollUp, 10, true, 0, 5}, {0, CUIWidget::kScrollUp, 10, false, 0, 0},
        {4, CUIWidget::kScrollDown, 100, true, 20, 5}, {20, CUIWidget::kScrollDown, 1, false, 20, 6},
        {4, 3, 10, false, 4, 5},
    };
    for (const auto& [start, direction, amount, moved, end, outerEnd] : cases) {
        CPageWidget outer, inner;
        Stack outerStack({30, 30}), innerStack({60, 60});
        outer.AddItem(&inner);
        outerStack.AddTo(outer);
        innerStack.AddTo(inner);
        outer.SetLocalRect(CRect(0, 0, 240, 100));
        outer.Paint();
        outer.OnScrollRequest(CUIWidget::kScrollDown, 5);
        inner.SetLocalRect(CRect(0, 0, 240, 100));  // 120 of content, 20 hidden
        inner.OnScrollRequest(CUIWidget::kScrollDown, static_cast<std::uint32_t>(start));
        const bool result = inner.OnScrollRequest(direction, amount);
        EXPECT_EQ(std::make_tuple(result, inner.GetScrollY(), outer.GetScrollY()), std::make_tuple(moved, end, outerEnd));
    }
}

// Three focusable items 20 high on a focused 200-high page under a root,
// which steps (200 * 716) >> 10 = 139.
TEST_F(Pages, KeysMoveTheFocusWrapAcceptAndGoBack) {
    struct Case {
        int wrap, focus, selected, key, handled, focusAfter;
        std::uint32_t event;
        int sender;  // the item sent, -1 the page
    };
    const Case cases[] = {
        {false, 2, true, CUIWidget::kKeyDown, false, 2, 0, 0},
        {true, 2, true, CUIWidget::kKeyDown, true, 0, 0, 0},
        {true, 0, true, CUIWidget::kKeyUp, true, 2, 0, 0},
        {false, 1, true, CUIWidget::kKeySelect, true, 1, EVENT_WIDGET_ACCEPT, 1},
        {false, 1, false, CUIWidget::kKeySelect, true, 1, EVENT_WIDGET_ACCEPT, -1},
        {false, 1, true, CUIWidget::kKeyBack, true, 1, EVENT_WIDGET_BACK, -1},
    };
    for (const Case& c : cases) {
        CContainerWidget root;
        CPageWidget page;
        Stack stack({20, 20, 20}, true);
        root.AddChild(&page, 0);
        stack.AddTo(page);
        page.SetWrap(c.wrap != 0);
        page.SetFocusable(true);
        page.Focus(true);
        page.SetLocalRect(CRect(0, 0, 240, 200));
        page.SetScreenRect(CRect(0, 0, 240, 200));  // the root places nothing
        page.Paint();
        EXPECT_EQ(page.GetPageStep(), 139);
        page.SetFocusedChild(stack.children[c.focus].get());
        stack.children[c.focus]->SetSelectable(c.selected != 0);
        const bool handled = page.DispatchEvent(EVENT_KEY_PRESS, static_cast<std::uint16_t>(c.key), 0);
        const CWidget* sender = c.sender < 0 ? static_cast<CWidget*>(&page) : stack.children[c.sender].get();
        EXPECT_EQ(std::make_tuple(handled, page.GetFocusedChild(), TakePosted()),
                  std::make_tuple(c.handled != 0, stack.children[c.focusAfter].get(),
                                  std::vector<Posted>(c.event != 0, {c.event, 0, WidgetParam(sender)})))
            << c.key << c.wrap;
    }
}

// Items A and B (focusable, 20 high) above C (100 high) on a 60-high page,
// which steps (60 * 716) >> 10 = 41. Removing B moves nothing but the
// page, which must still let B go. A removal renumbers the orders but
// keeps the item count.
TEST_F(Pages, ItemsAreInsertedAndRemovedInPlace) {
    for (const int removed : {0, 1}) {
        CPageWidget page;
        Stack stack({20, 20, 100}, true);
        stack.children[2]->SetFocusable(false);
        page.AddItem(stack.children[2].get());
        page.InsertItem(stack.children[0].get(), 0);
        page.InsertItem(stack.children[1].get(), 1);
        page.SetLocalRect(CRect(0, 0, 240, 60));
        page.Paint();
        EXPECT_EQ(page.GetFirstChild(), stack.children[0].get());
        page.SetFocusedChild(stack.children[removed].get());
        page.RemoveItem(stack.children[removed].get());
        EXPECT_NE(page.GetFocusedChild(), stack.children[removed].get());
        EXPECT_EQ(page.GetScrollY(), removed == 0 ? 0 : 41);
        page.Paint();
        EXPECT_EQ(page.GetFocusedChild(), stack.children[1 - removed].get());
        EXPECT_EQ(stack.children[2]->GetOrder(), 1);
        // The item count stays 3: an item may still go in at index 3, last.
        CountingWidget extra(10, 20);
        page.InsertItem(&extra, 3);
        EXPECT_EQ(page.GetLastChild(), &extra);
        EXPECT_EQ(extra.GetOrder(), 3);
        page.RemoveItem(&extra);
    }
    CPageWidget page;
    EXPECT_DEATH(page.InsertItem(nullptr, 1), "ASSERT FAILED - File: CPageWidget.cpp, Line: 54");
}

}  // namespace
