#include "src/LocalWidgets/CSelectItemGroupWidget.h"

CSelectItemWidget* CSelectItemGroupWidget::ItemOf(CUIWidget* child) {
    return child != nullptr && child->GetClassId() == CSelectItemWidget::kClassId
               ? static_cast<CSelectItemWidget*>(child)
               : nullptr;
}

bool CSelectItemGroupWidget::Update(std::uint32_t dt) {
    CVerticalContainerWidget::Update(dt);
    return true;
}

bool CSelectItemGroupWidget::SetFocused(bool focused) {
    CVerticalContainerWidget::SetFocused(focused);
    if (CSelectItemWidget* item = FocusedItem(); focused && m_mode == kSingleChoice && item != nullptr) {
        item->SetChecked(true);
    }
    return true;
}

bool CSelectItemGroupWidget::OnKeyDown(std::uint16_t key, std::uintptr_t) {
    CSelectItemWidget* item = FocusedItem();
    if (item == nullptr) return false;
    bool handled = false;
    if (key == kKeyUp || key == kKeyDown) {
        if (m_mode == kSingleChoice) item->SetChecked(false);
        handled = Step(key == kKeyDown);
        if (CSelectItemWidget* now = FocusedItem(); m_mode == kSingleChoice && now != nullptr) now->SetChecked(true);
    } else if (key == kKeySelect || key == kKeyLeftSoft) {
        Choose(item);
        handled = true;
    }
    if (handled) Invalidate();
    return handled;
}

bool CSelectItemGroupWidget::Step(bool down) {
    CUIWidget* before = GetFocusedChild();
    const std::int32_t clipBefore = GetClipOffsetY();
    MoveFocus(down);
    CUIWidget* now = GetFocusedChild();

    // Ask the page to scroll by what the item hides of itself.
    const std::int32_t visible = now->IsVisible() ? now->GetScreenRect().h : 0;
    const std::int32_t measured = now->GetMeasuredHeight();
    if (visible <= LocalRect().h && visible < measured) {
        Notify(kNotifyScroll, down ? kScrollDown : kScrollUp, static_cast<std::uintptr_t>(measured - visible));
    }
    if (now != before || GetClipOffsetY() != clipBefore) return true;
    if (!m_wrap) return false;

    // Round to the other end: the page shows the group's top (or bottom)
    // and the first (or last) item takes the focus.
    if (down) {
        Notify(kNotifyScroll, kScrollUp, static_cast<std::uintptr_t>(GetClipOffsetY()));
    } else {
        Notify(kNotifyScroll, kScrollDown, static_cast<std::uintptr_t>(GetMeasuredHeight() - measured));
    }
    SetFocusedChild(nullptr);
    MoveFocus(down);
    return true;
}

void CSelectItemGroupWidget::Choose(CSelectItemWidget* item) {
    switch (m_mode) {
        case kSingleChoice: Notify(kNotifyAccept, 0, WidgetParam(item)); break;
        case kRadio:
            CheckAll(false);
            item->SetChecked(true);
            break;
        case kMultiple:
            if (item->IsChecked()) {
                item->SetChecked(false);
            } else if (m_maxChecked <= 0 || CountChecked() < m_maxChecked) {
                item->SetChecked(true);
            }
            break;
        default: break;
    }
}

void CSelectItemGroupWidget::AddItem(CSelectItemWidget* item) {
    if (item == nullptr) return;
    item->SetFocusable(true);
    item->SetSelectable(true);
    AddChild(item, m_itemCount++);
    InvalidateSize();
}

void CSelectItemGroupWidget::SetMode(std::int32_t mode) {
    m_mode = mode;
    InvalidateSize();
}

void CSelectItemGroupWidget::SetMaxChecked(std::int32_t count) {
    m_maxChecked = count;
    InvalidateSize();
}

CSelectItemWidget* CSelectItemGroupWidget::GetItem(std::int32_t index) const {
    CUIWidget* child = GetFirstChild();
    for (std::int32_t i = 0; child != nullptr && i < index; ++i) child = GetNextChild(child);
    return index >= 0 ? ItemOf(child) : nullptr;
}

void CSelectItemGroupWidget::SetItemChecked(std::int32_t index, bool checked) {
    CSelectItemWidget* item = GetItem(index);
    if (item == nullptr) return;
    item->SetChecked(checked);
    if (m_mode == kSingleChoice) SetFocusedChild(item);
}

void CSelectItemGroupWidget::CheckAll(bool checked) {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (CSelectItemWidget* item = ItemOf(child)) item->SetChecked(checked);
    }
}

bool CSelectItemGroupWidget::IsItemChecked(std::int32_t index) const {
    const CSelectItemWidget* item = GetItem(index);
    return item != nullptr && item->IsChecked();
}

std::int32_t CSelectItemGroupWidget::CountChecked() const {
    std::int32_t count = 0;
    for (CSelectItemWidget* item = NextChecked(nullptr); item != nullptr; item = NextChecked(item)) ++count;
    return count;
}

CSelectItemWidget* CSelectItemGroupWidget::NextChecked(CSelectItemWidget* item) const {
    for (CUIWidget* child = item != nullptr ? GetNextChild(item) : GetFirstChild(); child != nullptr;
         child = GetNextChild(child)) {
        if (CSelectItemWidget* next = ItemOf(child); next != nullptr && next->IsChecked()) return next;
    }
    return nullptr;
}
