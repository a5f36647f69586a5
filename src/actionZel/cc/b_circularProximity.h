// The behaviour b_circularProximity (code id 34): tells its character when
// the nearest character of a type comes within the inner radius, in front
// or behind, or goes beyond the outer radius, measured between the centres
// of their boxes; between the radii the last band is kept.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_circularProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_circularProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_circularProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

AZ_UNIT_GETTER(b_circularProximity, 34, TargetType, 1)
AZ_UNIT_GETTER(b_circularProximity, 34, InnerRadius, 2)
AZ_UNIT_GETTER(b_circularProximity, 34, OuterRadius, 3)
AZ_UNIT_GETTER(b_circularProximity, 34, State, 7)
AZ_UNIT_SETTER(b_circularProximity, 34, State, 7)
// Word 8: the presenter id of the character found at the last update.
AZ_UNIT_GETTER(b_circularProximity, 34, Target, 8)
AZ_UNIT_SETTER(b_circularProximity, 34, Target, 8)
