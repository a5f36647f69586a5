// The behaviour b_edgeProximity (code id 48): holds its script parameters for
// nearness to an edge; no other unit reads them, and the callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_edgeProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_edgeProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_edgeProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
