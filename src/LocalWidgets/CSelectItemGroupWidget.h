// A vertical list of select items: up and down move the focus, ask the
// enclosing page to scroll the focused item into view and, with the wrap
// flag, go round at the ends; select (or the left soft key) activates or
// checks items by the mode. Items are not owned.
#pragma once

#include <cstdint>

#include "src/LocalWidgets/CSelectItemWidget.h"
#include "src/LocalWidgets/CVerticalContainerWidget.h"

class CSelectItemGroupWidget : public CVerticalContainerWidget {
public:
    static constexpr std::uint32_t kClassId = 0x39598B58;

    enum Mode : std::int32_t {
        kSingleChoice = 0,  // the check follows the focus; select accepts the item
        kRadio = 1,         // select checks the focused item alone
        kMultiple = 2,      // select toggles the focused item, within the maximum
    };

    CSelectItemGroupWidget() { SetClassId(kClassId); }

    // The items' updates; always true.
    bool Update(std::uint32_t dt) override;
    // Focusing a single-choice group checks its focused item.
    bool SetFocused(bool focused) override;
    // Up, down, select and the left soft key, only with a focused item; the
    // items never see a key.
    bool OnKeyDown(std::uint16_t key, std::uintptr_t p32) override;

    // Makes the item focusable and selectable and appends it.
    void AddItem(CSelectItemWidget* item);
    void SetMode(std::int32_t mode);
    // At most this many checked items in multiple mode, when above 0.
    void SetMaxChecked(std::int32_t count);
    // Null for an index that is not an item.
    CSelectItemWidget* GetItem(std::int32_t index) const;
    // A single-choice group also focuses the item.
    void SetItemChecked(std::int32_t index, bool checked);
    void CheckAll(bool checked);
    bool IsItemChecked(std::int32_t index) const;
    std::int32_t CountChecked() const;
    // The first checked item after the given one (from the first when null).
    CSelectItemWidget* NextChecked(CSelectItemWidget* item) const;

private:
    static CSelectItemWidget* ItemOf(CUIWidget* child);
    CSelectItemWidget* FocusedItem() const { return ItemOf(GetFocusedChild()); }
    // Up or down from the focused item; true when the focus or the scroll
    // moved.
    bool Step(bool down);
    void Choose(CSelectItemWidget* item);

    std::int32_t m_mode = kSingleChoice;
    std::int32_t m_maxChecked = 1;
};
