// The behaviour b_eyes (code id 14): four words that nothing reads; the
// callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_eyes_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_eyes_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_eyes_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
