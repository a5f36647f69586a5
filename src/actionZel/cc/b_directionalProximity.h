// The behaviour b_directionalProximity (code id 18): tells its character
// when the nearest character of a type standing at its height comes within
// the near distance, in front or behind, or goes beyond the far distance;
// between the two the last band is kept.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_directionalProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_directionalProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_directionalProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

AZ_UNIT_GETTER(b_directionalProximity, 18, TargetType, 1)
AZ_UNIT_GETTER(b_directionalProximity, 18, Near, 2)
AZ_UNIT_GETTER(b_directionalProximity, 18, Far, 3)
AZ_UNIT_GETTER(b_directionalProximity, 18, State, 4)
AZ_UNIT_SETTER(b_directionalProximity, 18, State, 4)
// Word 5: the presenter id of the character tracked, -1 none.
AZ_UNIT_GETTER(b_directionalProximity, 18, Target, 5)
AZ_UNIT_SETTER(b_directionalProximity, 18, Target, 5)
