// The behaviour b_bBoxCollidable (code id 6): sweeps the character's box,
// moving at its velocity, against the boxes of the characters of a type
// over the frame. The first one it would touch is the collider: events 166
// to it, 165 to this character, 169 to it; a character moving towards the
// collider is stopped and put 128 units clear of it on x (and on y for a
// type-2 character against a type-14 one); then 169 to this character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_bBoxCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_bBoxCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_bBoxCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the type collided with (or derived from it).
AZ_UNIT_GETTER(b_bBoxCollidable, 6, TargetType, 1)
// Word 2: presenter id of the latest update's collider, -1 none.
AZ_UNIT_GETTER(b_bBoxCollidable, 6, Collider, 2)
AZ_UNIT_SETTER(b_bBoxCollidable, 6, Collider, 2)

// The end of a walk over the characters of a type (-1).
constexpr std::int32_t AZ_GetInvalidId() { return -1; }
