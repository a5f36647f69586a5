// The behaviour b_counter (code id 72): counts how often a script attaches
// it again while it stays attached, raising 345 to 353 on each re-attach
// below its limit and 354 on reaching it; the update after that removes it,
// and the next attach counts afresh.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_counter_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_counter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_counter_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the limit and how far the count has come.
AZ_UNIT_GETTER(b_counter, 72, Limit, 1)
AZ_UNIT_GETTER(b_counter, 72, Count, 2)
AZ_UNIT_SETTER(b_counter, 72, Count, 2)
