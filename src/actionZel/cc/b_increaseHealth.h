// The behaviour b_increaseHealth (code id 25): adds an amount of health
// spread over a duration (a damage negated, armour not applied) and removes
// itself in the update that spends the duration.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_increaseHealth_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_increaseHealth_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_increaseHealth_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the amount left, negated; word 2: the time left, in ms.
AZ_UNIT_GETTER(b_increaseHealth, 25, Amount, 1)
AZ_UNIT_SETTER(b_increaseHealth, 25, Amount, 1)
AZ_UNIT_GETTER(b_increaseHealth, 25, Duration, 2)
AZ_UNIT_SETTER(b_increaseHealth, 25, Duration, 2)
