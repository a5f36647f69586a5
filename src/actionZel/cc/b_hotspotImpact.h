// The behaviour b_hotspotImpact (code id 29): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the world point where the character was last hit.
AZ_UNIT_GETTER(b_hotspotImpact, 29, ImpactX, 1)
AZ_UNIT_GETTER(b_hotspotImpact, 29, ImpactY, 2)
