// The behaviour b_changeLevelStringId (code id 62): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Word 2: the string id of the first level's name.
AZ_UNIT_GETTER(b_changeLevelStringId, 62, BaseStringId, 2)
