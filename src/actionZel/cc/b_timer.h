// The behaviour b_timer (code id 17): the words the engine writes.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 1: the time left, in ms.
AZ_UNIT_SETTER(b_timer, 17, Time, 1)
