// The behaviour b_widgetSelectable (code id 65): the focus of a menu made of
// characters, and the focus move its instructions use.
#pragma once

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Unit.h"

// Word 1: the item type; every character of it (or derived) is an item.
AZ_UNIT_GETTER(b_widgetSelectable, 65, ItemType, 1)
// Word 3: the presenter id of the focused item, -1 none.
AZ_UNIT_GETTER(b_widgetSelectable, 65, Focus, 3)
AZ_UNIT_SETTER(b_widgetSelectable, 65, Focus, 3)

// Moves the focus to the next item (forward = 1) or the previous one, in
// the order the items are found by type; with wrap set, past either end to
// the other end. No focus, or a focus that is no item, goes to the first
// item forward and the last backward. A move that finds no item sets -1.
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
    b_widgetSelectable_setFocus(codeSlot, target == -1 ? -1 : client->getPresenterOfRow(target));
}
