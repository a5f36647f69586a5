// The behaviour b_rotation (code id 11): two words that nothing reads; the
// callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_rotation_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_rotation_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_rotation_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
