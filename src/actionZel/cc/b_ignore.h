// The behaviour b_ignore (code id 32): a marker without data; the searches
// for targets and the sprite collisions pass over a character holding it.
// The callbacks only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_ignore_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_ignore_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_ignore_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
