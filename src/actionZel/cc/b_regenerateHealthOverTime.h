// The behaviour b_regenerateHealthOverTime (code id 23): adds health at a
// rate while the character is below its maximum.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_regenerateHealthOverTime_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_regenerateHealthOverTime_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_regenerateHealthOverTime_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: health per 1024 ms.
AZ_UNIT_GETTER(b_regenerateHealthOverTime, 23, Rate, 1)
