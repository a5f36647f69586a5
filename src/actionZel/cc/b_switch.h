// The behaviour b_switch (code id 44): holds its script parameters for
// a switch; no other unit reads them, and the callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_switch_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_switch_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_switch_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
