// Menus made of characters. b_widgetSelectable (code id 65) holds the focus
// of a group of items (every character of one type) and gives the first item
// at its first update; b_widgetContainer (64) gives it with 359 when the
// selectable is paused; b_widgetCursor (70) puts the cursor characters whose
// b_child hangs on the menu at the focused item; b_previousFocus (71)
// records the user and key-input characters at its attach. b_widgetScroll
// (66) and b_moveTo (67) only carry their parameters.
#pragma once

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Unit.h"

void b_widgetContainer_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetContainer_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_widgetContainer_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetSelectable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetSelectable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_widgetSelectable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetScroll_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetScroll_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_widgetScroll_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_moveTo_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_moveTo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_moveTo_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetCursor_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_widgetCursor_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_widgetCursor_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_previousFocus_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_previousFocus_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_previousFocus_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1 of b_widgetCursor: the type of its cursor characters.
AZ_UNIT_GETTER(b_widgetCursor, 70, CursorType, 1)
// Words 1 and 2 of b_previousFocus: the user and key-input characters'
// presenter ids at its attach.
AZ_UNIT_SETTER(b_previousFocus, 71, UserCharacter, 1)
AZ_UNIT_SETTER(b_previousFocus, 71, KeyCharacter, 2)

// Word 1: the item type; every character of it (or derived) is an item.
AZ_UNIT_GETTER(b_widgetSelectable, 65, ItemType, 1)
// Word 3: the presenter id of the focused item, -1 none.
AZ_UNIT_GETTER(b_widgetSelectable, 65, Focus, 3)
AZ_UNIT_SETTER(b_widgetSelectable, 65, Focus, 3)

// Moves the focus to the next item (forward = 1) or the previous one, in
// the order the items are found by type; with wrap set, past either end to
// the other end. No focus, or a focus that is no item, goes to the first
// item forward and the last backward. A move that finds no item (past an
// end without wrap, or an empty group) keeps the focus.
// The presenter id is not used.
inline void b_widgetSelectable_moveFocus(std::int32_t, std::int32_t codeSlot, std::int32_t forward,
                                         std::int32_t wrap) {
    const AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t type = b_widgetSelectable_getItemType(codeSlot);
    const std::int32_t focus = b_widgetSelectable_getFocus(codeSlot);
    const std::int32_t first = client->findCharacterByType(type);
    std::int32_t prev = -1, next = first;
    for (std::int32_t row = first; row != -1; row = client->findNextCharacterByType(type, row)) {
        if (client->getPresenterOfRow(row) == focus) {
            next = client->findNextCharacterByType(type, row);
            break;
        }
        prev = row;
    }
    std::int32_t target = forward == 1 ? next : prev;
    if (wrap != 0 && target == -1) {
        target = first;
        if (forward != 1) {
            for (std::int32_t row = first; row != -1; row = client->findNextCharacterByType(type, row)) target = row;
        }
    }
    if (target != -1) b_widgetSelectable_setFocus(codeSlot, client->getPresenterOfRow(target));
}
