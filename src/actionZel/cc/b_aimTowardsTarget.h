// The behaviour b_aimTowardsTarget (code id 15): a word that nothing reads;
// the callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_aimTowardsTarget_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_aimTowardsTarget_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_aimTowardsTarget_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
