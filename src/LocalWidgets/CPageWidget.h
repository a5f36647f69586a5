// The scrolling body of the menu screens: a vertical container of items
// whose up and down keys move the focus and page by a fraction of the
// visible height (wrapping around at the ends when asked to), which scrolls
// when a child asks it to, and which raises accept and back.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CVerticalContainerWidget.h"

class CPageWidget : public CVerticalContainerWidget {
public:
    static constexpr std::uint32_t kClassId = 0x101FD743;
    // 0.7 in 22.10 fixed point, truncated.
    static constexpr std::int32_t kDefaultPageFraction = 716;

    CPageWidget() { SetClassId(kClassId); }

    // Then the page step: the fraction of the height the indicators leave.
    void Measure() override;
    // Scrolls by the amount within the content (true); a request that
    // moves nothing goes on to the parent (false).
    bool OnScrollRequest(std::uint16_t direction, std::uint32_t amount) override;
    // The focused child first; then up and down page, select accepts the
    // focused selected child (else the page) and back goes back.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;
    // Moves the focus and scrolls by up to a page step in the direction
    // (kScrollUp, kScrollDown); with the wrap flag, a page that can move no
    // further goes round to the other end. True when something moved.
    virtual bool ScrollPage(std::uint16_t direction);

    // Appends the widget as the last item.
    void AddItem(CUIWidget* widget) { InsertItem(widget, m_itemCount); }
    // Places the widget at the index (0 to the item count); later items
    // move down one.
    void InsertItem(CUIWidget* widget, std::int32_t index);
    // A focused item hands the focus on first (downward, else upward). The
    // items left are numbered 0, 1, ... again; the item count is kept.
    void RemoveItem(CUIWidget* widget);
    void SetPageFraction(std::int32_t fraction) { m_pageFraction = fraction; }
    // A fixed step in pixels instead of a fraction.
    void SetPageStep(std::int32_t pixels) {
        m_pageFraction = 0;
        m_pageStep = pixels;
    }
    std::int32_t GetPageStep() const { return m_pageStep; }

private:
    // Whether the child shows less than its measured height while that
    // height would fit in the page.
    bool IsCutShort(CUIWidget* child);

    std::int32_t m_pageFraction = kDefaultPageFraction;
    std::int32_t m_pageStep = 0;
};
