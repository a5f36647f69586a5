#include "src/LocalWidgets/CLayoutWidget.h"

#include <algorithm>

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/SystemEvent.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"

void CLayoutWidget::Measure() {
    const CRect& local = LocalRect();
    Stack stack{m_marginTop, local.h - m_marginBottom, local.h - m_marginTop - m_marginBottom};
    PlaceRegion(kRegionTop, true, stack);
    PlaceRegion(kRegionBottom, false, stack);
    PlaceRegion(kRegionUpper, true, stack);
    PlaceRegion(kRegionBody, true, stack);

    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) child->EnsureMeasured();
    ResetChildFocus();
    SetMeasuredSize(kFill, kFill);
}

void CLayoutWidget::PlaceRegion(std::int32_t region, bool fromTop, Stack& stack) {
    const std::int32_t x = m_marginX;
    const std::int32_t width = LocalRect().w - 2 * m_marginX;
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (child->GetOrder() != region) continue;
        std::int32_t h = stack.room;
        if (region != kRegionBody) {
            const std::int32_t offeredY = fromTop ? stack.top : stack.bottom - stack.room;
            child->SetLocalRect(WidgetRect(x, offeredY, width, std::max(0, stack.room)));
            h = child->GetMeasuredHeight();
            if (h < 0) h = std::max(0, stack.room);
        }
        const std::int32_t y = fromTop ? stack.top : stack.bottom - h;
        child->SetEnabled(true);
        child->SetLocalRect(WidgetRect(x, y, width, h));
        if (fromTop) {
            stack.top += h;
        } else {
            stack.bottom -= h;
        }
        stack.room -= h;
    }
}

void CLayoutWidget::Layout() {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->SetScreenRect(ChildScreenRect(child));
        child->SetClipOffsetX(0);
        child->SetClipOffsetY(0);
    }
}

bool CLayoutWidget::OnKeyDown(std::uint16_t key, std::uintptr_t p32) {
    const auto shown = [](CUIWidget* widget) {
        return widget != nullptr && widget->IsEnabled() && widget->IsVisible();
    };
    bool handled = false;
    if (shown(m_upper) && !m_upper->IsFocusable()) handled = m_upper->DispatchEvent(EVENT_KEY_PRESS, key, p32);
    if (CUIWidget* focused = GetFocusedChild(); !handled && shown(focused)) {
        handled = focused->DispatchEvent(EVENT_KEY_PRESS, key, p32);
    }
    if (!handled && m_softkeys != nullptr) handled = m_softkeys->DispatchEvent(EVENT_KEY_PRESS, key, p32);
    if (!handled) {
        if (key == kKeyUp || key == kKeyDown) {
            handled = MoveFocus(key == kKeyDown);
        } else {
            handled = NotifyCommand(key);
        }
    }
    if (handled) Invalidate();
    return handled;
}

void CLayoutWidget::ClearRoles(const CUIWidget* child) {
    if (m_softkeys == child) m_softkeys = nullptr;
    if (m_upper == child) m_upper = nullptr;
    if (m_body == child) m_body = nullptr;
}

void CLayoutWidget::ForgetChild(CUIWidget* child) {
    ClearRoles(child);
    CContainerWidget::ForgetChild(child);
}

void CLayoutWidget::RemoveChild(CUIWidget* child) {
    ClearRoles(child);
    CContainerWidget::RemoveChild(child);
}

void CLayoutWidget::SetRegion(CUIWidget* widget, std::int32_t region) {
    switch (region) {
        case kRegionTop:
        case kRegionBottom: break;
        case kRegionUpper:
            RemoveChild(m_upper);
            m_upper = widget;
            break;
        case kRegionBody:
            RemoveChild(m_body);
            m_body = widget;
            break;
        default: DebugAssert(false, "CLayoutWidget.cpp", 55); return;
    }
    if (widget != nullptr) {
        if (widget->GetClassId() == CSoftkeyWidget::kClassId) m_softkeys = widget;
        AddChild(widget, region);
    }
    InvalidateSize();
}

CUIWidget* CLayoutWidget::GetRegionWidget(std::int32_t region) const {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (child->GetOrder() == region) return child;
    }
    return nullptr;
}

CUIWidget* CLayoutWidget::GetNextInRegion(CUIWidget* widget) const {
    if (widget == nullptr) return nullptr;
    for (CUIWidget* child = GetNextChild(widget); child != nullptr; child = GetNextChild(child)) {
        if (child->GetOrder() == widget->GetOrder()) return child;
    }
    return nullptr;
}

CUIWidget* CLayoutWidget::GetPrevInRegion(CUIWidget* widget) const {
    if (widget == nullptr) return nullptr;
    for (CUIWidget* child = GetPrevChild(widget); child != nullptr; child = GetPrevChild(child)) {
        if (child->GetOrder() == widget->GetOrder()) return child;
    }
    return nullptr;
}
