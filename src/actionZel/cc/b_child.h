// The behaviour b_child (code id 2): the words the engine reads and writes.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the offset from the parent point, in world units.
AZ_UNIT_SETTER(b_child, 2, OffsetX, 1)
AZ_UNIT_SETTER(b_child, 2, OffsetY, 2)
// Word 3: 1 when the child copies its parent's facing and mirrors the x offset.
AZ_UNIT_SETTER(b_child, 2, FollowFacing, 3)
// Word 4: the parent presenter id (-1 none, -2 the view's bottom centre, -3 the camera origin).
AZ_UNIT_GETTER(b_child, 2, Parent, 4)
AZ_UNIT_SETTER(b_child, 2, Parent, 4)
