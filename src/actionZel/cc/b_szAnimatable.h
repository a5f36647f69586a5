// The behaviour b_szAnimatable (code id 12): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the sprite's animation and whether it loops (1).
AZ_UNIT_GETTER(b_szAnimatable, 12, Animation, 1)
AZ_UNIT_GETTER(b_szAnimatable, 12, Loop, 2)
