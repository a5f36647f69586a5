// The behaviour b_angle (code id 3): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the angle, degrees << 10, counter-clockwise from the x axis.
AZ_UNIT_GETTER(b_angle, 3, Angle, 1)
AZ_UNIT_SETTER(b_angle, 3, Angle, 1)
