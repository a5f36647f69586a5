// A widget that holds children: a list sorted by their order values, one
// focused child, focus, selection, keys and updates passed down, and a Draw
// that fills the background and repaints every child. Subclasses place the
// children in Measure and Layout. The children are not owned: the builder
// of the tree creates and destroys them.
#pragma once

#include <cstdint>

#include "platform/shared/core/CLinkList.h"
#include "src/LocalWidgets/CUIWidget.h"

class CContainerWidget : public CUIWidget {
public:
    static constexpr std::uint32_t kClassId = 0x528606C8;

    CContainerWidget() { SetClassId(kClassId); }
    // Detaches every child still listed (no list, no parent); none is
    // destroyed.
    ~CContainerWidget() override;

    void Draw() override;
    bool Update(std::uint32_t dt) override;
    // The container, then its children: only the focused child follows.
    bool SetFocused(bool focused) override;
    bool SetSelected(bool selected) override;
    // Hand the key to the focused child when it is enabled and visible.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;
    bool OnKeyOther(std::uint16_t key) override;

    // Children of equal order keep the order in which they were added. A
    // child already in a list leaves it first; one that had another parent
    // is removed from it and forgotten there.
    void AddChild(CUIWidget* child, std::int32_t order);
    // Unlinks the child and clears its parent; the focused child stays.
    virtual void RemoveChild(CUIWidget* child);
    CUIWidget* FindChildById(std::uint32_t id) const;
    CUIWidget* GetFirstChild() const { return ChildOf(m_children.GetHead()); }
    CUIWidget* GetLastChild() const { return ChildOf(m_children.GetTail()); }
    CUIWidget* GetNextChild(CUIWidget* child) const;
    CUIWidget* GetPrevChild(CUIWidget* child) const;
    // The first (last) child that is enabled and visible.
    CUIWidget* GetFirstShownChild() const;
    CUIWidget* GetLastShownChild() const;

    void SetMargins(std::int32_t x, std::int32_t y) { SetMargins(x, y, y); }
    void SetMargins(std::int32_t x, std::int32_t top, std::int32_t bottom);
    void SetFit(bool width, bool height);

    // How far the content is scrolled (the vertical containers scroll).
    std::int32_t GetScrollY() const { return m_scrollY; }

    CUIWidget* GetFocusedChild() const { return m_focusedChild; }
    // A child that is not focusable leaves the container without one.
    void SetFocusedChild(CUIWidget* child);
    // The next (previous) focusable child after the focused one, hidden or
    // not; true when the focus moved. Does not wrap.
    bool MoveFocus(bool forward);

    void ForgetChild(CUIWidget* child) override;

protected:
    // Unfocuses and deselects every child; then focuses and selects the
    // focused child again when this container is focused, or, without one,
    // focuses the first focusable child.
    void ResetChildFocus();
    // Select raises accept on behalf of the focused child when it is
    // enabled, visible and selected, else of this container; back raises
    // back. True for those two keys.
    bool NotifyCommand(std::uint16_t key);
    static CUIWidget* ChildOf(CLinkListNode* node) {
        return node != nullptr ? static_cast<CUIWidget*>(node->GetData()) : nullptr;
    }

    std::int32_t m_marginX = 0;
    std::int32_t m_marginTop = 0;
    std::int32_t m_marginBottom = 0;
    std::uint8_t m_fitWidth = 1;
    std::uint8_t m_fitHeight = 1;
    std::int32_t m_scrollX = 0;
    std::int32_t m_scrollY = 0;
    // Items inserted through the item operations of the subclasses.
    std::int32_t m_itemCount = 0;

private:
    CLinkList m_children;
    CUIWidget* m_focusedChild = nullptr;
};
