// The behaviour b_szHealthPowerId (code id 56): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the animations of the health and the power overlay.
AZ_UNIT_GETTER(b_szHealthPowerId, 56, HealthAnimation, 1)
AZ_UNIT_GETTER(b_szHealthPowerId, 56, PowerAnimation, 2)
