// The behaviour b_angle (code id 3): holds an angle for the units that
// rotate a sprite or steer. The script gives degrees; the word holds
// degrees << 10 from the attach on.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_angle_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_angle_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_angle_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the angle, degrees << 10, counter-clockwise from the x axis.
AZ_UNIT_GETTER(b_angle, 3, Angle, 1)
AZ_UNIT_SETTER(b_angle, 3, Angle, 1)
