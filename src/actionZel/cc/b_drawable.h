// The behaviour b_drawable (code id 40): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the drawing priority (a character without b_drawable counts as 100).
AZ_UNIT_GETTER(b_drawable, 40, Priority, 1)
// Word 3: where the character is seen (3: off screen).
AZ_UNIT_GETTER(b_drawable, 40, ViewState, 3)
