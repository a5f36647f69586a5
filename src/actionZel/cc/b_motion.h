// The behaviour b_motion (code id 5): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the velocity; x as for a character facing right.
AZ_UNIT_GETTER(b_motion, 5, VelocityX, 1)
AZ_UNIT_GETTER(b_motion, 5, VelocityY, 2)
