// The behaviour b_switchController (code id 43): holds its script parameters for
// the controller of switches; no other unit reads them, and the callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_switchController_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_switchController_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_switchController_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
