// The behaviour b_power (code id 55): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: current and maximum power.
AZ_UNIT_GETTER(b_power, 55, Power, 1)
AZ_UNIT_GETTER(b_power, 55, MaxPower, 2)
