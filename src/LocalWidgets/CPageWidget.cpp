#include "src/LocalWidgets/CPageWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"

void CPageWidget::Measure() {
    CVerticalContainerWidget::Measure();
    if (m_pageFraction > 0) {
        m_pageStep = static_cast<std::int32_t>((std::int64_t{LocalRect().h} - IndicatorsRoom()) * m_pageFraction >> 10);
    }
}

bool CPageWidget::OnScrollRequest(std::uint16_t direction, std::uint32_t amount) {
    std::int64_t y = m_scrollY;
    if (direction == kScrollUp) {
        y = std::max<std::int64_t>(0, y - amount);
    } else if (direction == kScrollDown) {
        y = std::max<std::int64_t>(0, std::min<std::int64_t>(GetMeasuredHeight() - LocalRect().h, y + amount));
    }
    if (y != m_scrollY) {
        m_scrollY = static_cast<std::int32_t>(y);
        InvalidateLayout();
        EnsureMeasured();
        return true;
    }
    Notify(kNotifyScroll, direction, amount);
    return false;
}

bool CPageWidget::IsCutShort(CUIWidget* child) {
    const std::int32_t measured = child->GetMeasuredHeight();
    return measured > child->GetLocalRect().h && measured < LocalRect().h;
}

bool CPageWidget::ScrollPage(std::uint16_t direction) {
    if (direction != kScrollUp && direction != kScrollDown) return false;
    const bool down = direction == kScrollDown;
    bool moved = MoveFocus(down);
    std::int32_t step = m_pageStep;
    if (CUIWidget* focused = GetFocusedChild(); moved && focused != nullptr) {
        step = IsCutShort(focused) ? std::max(0, m_pageStep - focused->GetLocalRect().h) : 0;
    }
    if (step > 0) {
        CUIWidget* edge = down ? GetFirstShownChild() : GetLastShownChild();
        if (edge != nullptr && IsCutShort(edge)) step = std::max(5, m_pageStep - edge->GetLocalRect().h);
        std::int32_t y = 0;
        if (down) {
            const std::int32_t limit = GetMeasuredHeight() - LocalRect().h + IndicatorsRoom();
            y = std::max(0, std::min(limit, m_scrollY + step));
        } else {
            y = std::max(0, m_scrollY - step);
        }
        if (y != m_scrollY) {
            m_scrollY = y;
            InvalidateLayout();
            moved = true;
        }
    }
    if (moved || !m_wrap) return moved;

    // Round to the other end: the top and the first item, or the bottom and
    // the last.
    const std::int32_t before = m_scrollY;
    const std::int32_t hidden = GetMeasuredHeight() - LocalRect().h;
    if (down) {
        m_scrollY = 0;
    } else if (hidden >= 0) {
        m_scrollY = hidden;
    }
    SetFocusedChild(nullptr);
    MoveFocus(down);
    if (m_scrollY != before) InvalidateLayout();
    return true;
}

bool CPageWidget::OnKeyDown(std::uint16_t key, std::uintptr_t p32) {
    bool handled = CVerticalContainerWidget::OnKeyDown(key, p32);
    if (!handled) {
        if (key == kKeyUp || key == kKeyDown) {
            handled = ScrollPage(key == kKeyUp ? kScrollUp : kScrollDown);
        } else {
            handled = NotifyCommand(key);
        }
    }
    if (handled) Invalidate();
    return handled;
}

void CPageWidget::InsertItem(CUIWidget* widget, std::int32_t index) {
    DebugAssert(index >= 0 && index <= m_itemCount, "CPageWidget.cpp", 54);
    if (widget == nullptr) return;
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (child->GetOrder() >= index) child->SetOrder(child->GetOrder() + 1);
    }
    AddChild(widget, index);
    ++m_itemCount;
    InvalidateSize();
}

void CPageWidget::RemoveItem(CUIWidget* widget) {
    if (widget == nullptr) return;
    if (widget == GetFocusedChild() && !ScrollPage(kScrollDown)) ScrollPage(kScrollUp);
    // A page that scrolled instead of moving the focus must not keep a
    // widget it no longer holds as its focused child.
    if (widget == GetFocusedChild()) SetFocusedChild(nullptr);
    RemoveChild(widget);
    // The orders are numbered afresh; the item count stays as it was.
    std::int32_t order = 0;
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->SetOrder(order++);
    }
    InvalidateSize();
}
