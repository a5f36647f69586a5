// The behaviour b_lookAt (code id 16): a word that nothing reads; the
// callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_lookAt_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_lookAt_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_lookAt_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
