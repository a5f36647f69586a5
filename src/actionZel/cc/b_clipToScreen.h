// The behaviour b_clipToScreen (code id 49): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: where on the screen's edge the character's marker is
// drawn while it is off screen.
AZ_UNIT_GETTER(b_clipToScreen, 49, MarkerX, 1)
AZ_UNIT_GETTER(b_clipToScreen, 49, MarkerY, 2)
