// The behaviour b_child (code id 2): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 4: the parent presenter id (-1 none, -2 the view's bottom centre, -3 the camera origin).
AZ_UNIT_GETTER(b_child, 2, Parent, 4)
