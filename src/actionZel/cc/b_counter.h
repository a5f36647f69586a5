// The behaviour b_counter (code id 72): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the limit and how far the count has come.
AZ_UNIT_GETTER(b_counter, 72, Limit, 1)
AZ_UNIT_GETTER(b_counter, 72, Count, 2)
