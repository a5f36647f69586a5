// The behaviour b_health (code id 20): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: current and maximum health.
AZ_UNIT_GETTER(b_health, 20, Health, 1)
AZ_UNIT_GETTER(b_health, 20, MaxHealth, 2)
