// The behaviour b_hotspotImpact (code id 29): the world point where the
// character was last struck by a sprite collision, (0, 0) until then; the
// callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_hotspotImpact_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_hotspotImpact_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_hotspotImpact_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the impact point, world units.
AZ_UNIT_GETTER(b_hotspotImpact, 29, X, 1)
AZ_UNIT_SETTER(b_hotspotImpact, 29, X, 1)
AZ_UNIT_GETTER(b_hotspotImpact, 29, Y, 2)
AZ_UNIT_SETTER(b_hotspotImpact, 29, Y, 2)
