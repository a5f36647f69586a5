// The behaviour b_trackCharacter (code id 51): steers its character's
// b_motion velocity toward a point beside the nearest character of a type.
// At most two trackers of one character type close in at a time, one on
// each side of the target.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_trackCharacter_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_trackCharacter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_trackCharacter_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

AZ_UNIT_GETTER(b_trackCharacter, 51, Type, 1)
AZ_UNIT_GETTER(b_trackCharacter, 51, MoveX, 2)
AZ_UNIT_GETTER(b_trackCharacter, 51, MoveY, 3)
AZ_UNIT_GETTER(b_trackCharacter, 51, Speed, 4)
AZ_UNIT_GETTER(b_trackCharacter, 51, Offset, 5)
AZ_UNIT_GETTER(b_trackCharacter, 51, Turn, 6)
// Word 7: 2 not tracking, 1 heading for the target's left, 0 its right.
AZ_UNIT_GETTER(b_trackCharacter, 51, Side, 7)
AZ_UNIT_SETTER(b_trackCharacter, 51, Side, 7)
