// The behaviour b_grappleProximity (code id 35): holds three script
// parameters for the script's own use; its callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_grappleProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_grappleProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_grappleProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
