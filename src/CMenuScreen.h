// A widget screen with a vertical list of choices, optionally under a
// header line: the menus of the game's flow. The items' texts come from
// text resource ids, 8-bit strings or wide strings (the ids win over the
// strings, which win over the wide strings). The screen ends with result 1
// and the chosen item's widget id (its text id when built from ids, else
// its index), or with 2 on back. A tap on an item chooses it.
#pragma once

#include <cstdint>

#include "src/CWidgetScreen.h"
#include "src/LocalWidgets/CSelectItemGroupWidget.h"
#include "src/LocalWidgets/CSelectItemWidget.h"
#include "src/LocalWidgets/CSpacerWidget.h"

class CMenuScreen : public CWidgetScreen {
public:
    static constexpr std::int32_t kMaxItems = 20;
    static constexpr std::uint32_t kTextLength = 50;  // characters, terminator included

    // Builds the header, the spacer and the items; 0.
    std::int32_t Init() override;
    // Gives back the header and forgets the focus sprite.
    void Exit() override;
    // Moves the first focus to the chosen item, takes taps on the items.
    std::uint32_t Update(std::uint32_t dt) override;
    // Accept (from an item) chooses it; back chooses nothing.
    std::uint8_t OnWidgetCommand(std::uint32_t event, CWidget* sender) override;

    // Before Init; the lists stay the caller's. A count above 20 keeps the
    // first 20 items.
    void SetItemsById(std::uint32_t headerId, const std::uint32_t* ids, std::int32_t count);
    void SetItemsByString(std::uint32_t headerId, const char* const* strings, std::int32_t count);
    void SetItemsByWideString(std::uint32_t headerId, const char16_t* const* strings, std::int32_t count);
    // The item focused first.
    void SelectIndex(std::int32_t index);
    // The first item of the id list with the id; when none matches, the
    // first item is focused and none is selected.
    void SelectById(std::uint32_t id);
    // Shown by each item's text while focused; not owned.
    void SetFocusSprite(SZ_Presenter* sprite) { m_focusSprite = sprite; }
    // After the result: the widget id of the item whose accept ended the
    // menu, 0 after back.
    std::uint32_t GetChosenId() const { return m_chosen; }

protected:
    std::int32_t m_count = 0;
    CSelectItemWidget m_items[kMaxItems];
    char16_t m_texts[kMaxItems][kTextLength] = {};

private:
    void SetHeaderAndCount(std::uint32_t headerId, std::int32_t count);
    void SelectItem(std::int32_t index);
    // The item's index, or -1 when the widget is none of the items.
    std::int32_t IndexOf(const CWidget* sender) const;

    std::uint32_t m_headerId = 0;
    const std::uint32_t* m_ids = nullptr;
    const char* const* m_strings = nullptr;
    const char16_t* const* m_wideStrings = nullptr;
    std::uint32_t m_chosen = 0;
    std::uint8_t m_initialFocusDone = 0;
    SZ_Presenter* m_focusSprite = nullptr;
    const char16_t* m_headerText = nullptr;  // taken at Init, given back at Exit
    CTextWidget m_header;
    CSpacerWidget m_spacer;
    CSelectItemGroupWidget m_group;
};
