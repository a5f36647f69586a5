// The behaviour b_rectangularProximity (code id 33): tells its character
// when the nearest target of a type enters a near box centred on its own
// box and when it leaves a larger far box, optionally telling a target in
// front (by the facing) from one behind. The state belongs to the unit,
// not to a target.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_rectangularProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_rectangularProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_rectangularProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

AZ_UNIT_GETTER(b_rectangularProximity, 33, TargetType, 1)
AZ_UNIT_GETTER(b_rectangularProximity, 33, NearWidth, 2)
AZ_UNIT_GETTER(b_rectangularProximity, 33, NearHeight, 3)
AZ_UNIT_GETTER(b_rectangularProximity, 33, FarWidth, 4)
AZ_UNIT_GETTER(b_rectangularProximity, 33, FarHeight, 5)
AZ_UNIT_GETTER(b_rectangularProximity, 33, UseFacing, 6)
// Word 7: 0 nothing reported yet, 1 near, 2 far.
AZ_UNIT_GETTER(b_rectangularProximity, 33, State, 7)
AZ_UNIT_SETTER(b_rectangularProximity, 33, State, 7)
