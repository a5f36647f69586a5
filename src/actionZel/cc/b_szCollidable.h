// The behaviour b_szCollidable (code id 10): the collision rectangle of the
// character's current sprite frame against the boxes of the characters of
// a type, both moving at their velocities over the update. Every character
// hit gets 289 and 169 (already touching) or 170 (met within the update),
// and, when it holds b_hotspotImpact, the point where it was struck; then
// the unit pauses itself and raises 288 on its character. Word 2 names the
// first character hit. A character that also runs b_szWorldCollidable
// hands the first hit to it instead, silently.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the type tested (or derived from it).
AZ_UNIT_GETTER(b_szCollidable, 10, TargetType, 1)
// Word 2: presenter id of the first character hit by the last update that
// tested, -1 none (0 before the first).
AZ_UNIT_GETTER(b_szCollidable, 10, Collider, 2)
AZ_UNIT_SETTER(b_szCollidable, 10, Collider, 2)
