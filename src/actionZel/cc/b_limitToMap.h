// The behaviour b_limitToMap (code id 1): keeps the character's box inside
// the level map on the left, right and top; below the map it holds the
// character on the bottom edge (word 1) or raises 375 on every update while
// it is there (word 2).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_limitToMap_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_limitToMap_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_limitToMap_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: 1 holds the character on the map's bottom edge.
AZ_UNIT_GETTER(b_limitToMap, 1, ClampBottom, 1)
// Word 2: 1 raises 375 while the character is below the map.
AZ_UNIT_GETTER(b_limitToMap, 1, EventBelow, 2)
