// The behaviour b_regeneratePowerOverTime (code id 59): adds power at a
// rate, without bound (past the maximum, or below 0 for a negative rate).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_regeneratePowerOverTime_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_regeneratePowerOverTime_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_regeneratePowerOverTime_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: power per 1024 ms.
AZ_UNIT_GETTER(b_regeneratePowerOverTime, 59, Rate, 1)
