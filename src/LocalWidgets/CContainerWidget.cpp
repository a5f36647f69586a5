#include "src/LocalWidgets/CContainerWidget.h"

#include "platform/shared/core/SystemEvent.h"

namespace {

// The new child goes after every child whose order is not above its own.
std::int32_t CompareOrder(CLinkListNode* existing, void* item) {
    const auto* child = static_cast<CUIWidget*>(item);
    return child->GetOrder() >= static_cast<CUIWidget*>(existing->GetData())->GetOrder() ? 1 : 0;
}

}  // namespace

CContainerWidget::~CContainerWidget() {
    while (CUIWidget* child = GetFirstChild()) {
        child->GetListNode().Unlink();
        child->SetParent(nullptr);
    }
    m_children.Reset();
    m_focusedChild = nullptr;
}

void CContainerWidget::Draw() {
    FillBackground();
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->MarkDirty();
        child->Paint();
    }
}

bool CContainerWidget::Update(std::uint32_t dt) {
    bool changed = false;
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        changed |= child->UpdateIfEnabled(dt);
    }
    return changed;
}

bool CContainerWidget::SetFocused(bool focused) {
    CUIWidget::SetFocused(focused);
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->Focus(child == m_focusedChild && focused);
    }
    return true;
}

bool CContainerWidget::SetSelected(bool selected) {
    CUIWidget::SetSelected(selected);
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->Select(child == m_focusedChild && selected);
    }
    return true;
}

bool CContainerWidget::OnKeyDown(std::uint16_t key, std::uintptr_t p32) {
    CUIWidget* child = m_focusedChild;
    if (child == nullptr || !child->IsEnabled() || !child->IsVisible()) return false;
    const bool handled = child->DispatchEvent(EVENT_KEY_PRESS, key, p32);
    if (handled) Invalidate();
    return handled;
}

bool CContainerWidget::OnKeyOther(std::uint16_t key) {
    CUIWidget* child = m_focusedChild;
    if (child == nullptr || !child->IsEnabled() || !child->IsVisible()) return false;
    const bool handled = child->DispatchEvent(EVENT_WIDGET_KEY, key, 0);
    if (handled) Invalidate();
    return handled;
}

void CContainerWidget::AddChild(CUIWidget* child, std::int32_t order) {
    if (child == nullptr) return;
    // A child moving in from another parent leaves it as a removal does, and
    // that parent forgets it (a role, the focus, a slider or scroll bar), so
    // that it keeps no address of a child that is no longer its own.
    if (auto* parent = dynamic_cast<CUIWidget*>(child->GetParent()); parent != nullptr && parent != this) {
        if (auto* container = dynamic_cast<CContainerWidget*>(parent)) container->RemoveChild(child);
        parent->ForgetChild(child);
    }
    child->GetListNode().Unlink();  // linking a listed node would break both lists
    child->SetParent(this);
    child->SetOrder(order);
    m_children.InsertSorted(CompareOrder, &child->GetListNode(), child);
}

void CContainerWidget::RemoveChild(CUIWidget* child) {
    if (child == nullptr) return;
    m_children.Remove(&child->GetListNode());
    child->SetParent(nullptr);
}

CUIWidget* CContainerWidget::FindChildById(std::uint32_t id) const {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (child->GetId() == id) return child;
    }
    return nullptr;
}

CUIWidget* CContainerWidget::GetNextChild(CUIWidget* child) const {
    return child != nullptr ? ChildOf(child->GetListNode().GetNext()) : nullptr;
}

CUIWidget* CContainerWidget::GetPrevChild(CUIWidget* child) const {
    return child != nullptr ? ChildOf(child->GetListNode().GetPrev()) : nullptr;
}

CUIWidget* CContainerWidget::GetFirstShownChild() const {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        if (child->IsEnabled() && child->IsVisible()) return child;
    }
    return nullptr;
}

CUIWidget* CContainerWidget::GetLastShownChild() const {
    for (CUIWidget* child = GetLastChild(); child != nullptr; child = GetPrevChild(child)) {
        if (child->IsEnabled() && child->IsVisible()) return child;
    }
    return nullptr;
}

void CContainerWidget::SetMargins(std::int32_t x, std::int32_t top, std::int32_t bottom) {
    m_marginX = x;
    m_marginTop = top;
    m_marginBottom = bottom;
    InvalidateSize();
}

void CContainerWidget::SetFit(bool width, bool height) {
    m_fitWidth = width ? 1 : 0;
    m_fitHeight = height ? 1 : 0;
    InvalidateSize();
}

void CContainerWidget::SetFocusedChild(CUIWidget* child) {
    if (m_focusedChild != nullptr) {
        m_focusedChild->Focus(false);
        m_focusedChild->Select(false);
        m_focusedChild = nullptr;
    }
    if (child != nullptr && child->IsFocusable()) {
        m_focusedChild = child;
        if (IsFocused()) {
            child->Focus(true);
            child->Select(true);
        }
    }
    Invalidate();
}

bool CContainerWidget::MoveFocus(bool forward) {
    CUIWidget* child = nullptr;
    if (m_focusedChild != nullptr) {
        child = forward ? GetNextChild(m_focusedChild) : GetPrevChild(m_focusedChild);
    } else {
        child = forward ? GetFirstChild() : GetLastChild();
    }
    for (; child != nullptr; child = forward ? GetNextChild(child) : GetPrevChild(child)) {
        if (child->IsFocusable()) {
            SetFocusedChild(child);
            return true;
        }
    }
    return false;
}

void CContainerWidget::ResetChildFocus() {
    for (CUIWidget* child = GetFirstChild(); child != nullptr; child = GetNextChild(child)) {
        child->Focus(false);
        child->Select(false);
    }
    if (m_focusedChild == nullptr) {
        MoveFocus(true);
    } else if (IsFocused()) {
        m_focusedChild->Focus(true);
        m_focusedChild->Select(true);
    }
}

bool CContainerWidget::NotifyCommand(std::uint16_t key) {
    if (key == kKeyBack) {
        Notify(kNotifyBack, 0, WidgetParam(this));
        return true;
    }
    if (key != kKeySelect) return false;
    CUIWidget* child = m_focusedChild;
    const bool onChild = child != nullptr && child->IsEnabled() && child->IsVisible() && child->IsSelected();
    Notify(kNotifyAccept, 0, WidgetParam(onChild ? child : this));
    return true;
}

void CContainerWidget::ForgetChild(CUIWidget* child) {
    if (m_focusedChild == child) m_focusedChild = nullptr;
}
