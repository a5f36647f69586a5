// The behaviour b_boundingBox (code id 27): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the box's width and height in world units; the box is
// centred on the presenter's x and rises from its y.
AZ_UNIT_GETTER(b_boundingBox, 27, Width, 1)
AZ_UNIT_GETTER(b_boundingBox, 27, Height, 2)
