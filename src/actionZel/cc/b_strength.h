// The behaviour b_strength (code id 22): the character's strength, which
// nothing reads; the callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_strength_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_strength_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_strength_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
