// The behaviour b_szWorldCollidable (code id 9): the character's sprite as
// an obstacle. When b_szCollidable on the same character has recorded a
// character of exactly the type in word 1 that moves, that character is
// pushed back along its velocity (twice it when it has already moved this
// frame) plus a margin of 100, stopped on its faster axis, and told with
// 291 and 168 (x) or 170 (y); this character gets 290.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szWorldCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szWorldCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szWorldCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the type pushed back, matched exactly.
AZ_UNIT_GETTER(b_szWorldCollidable, 9, PushedType, 1)
// Word 2: presenter id of the character to push back, -1 none.
AZ_UNIT_GETTER(b_szWorldCollidable, 9, Collider, 2)
AZ_UNIT_SETTER(b_szWorldCollidable, 9, Collider, 2)
