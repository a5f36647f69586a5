// The behaviour b_addPower (code id 57): adds an amount of power spread
// over a duration, each step clamped to 0 .. maximum; the update after the
// duration is spent adds what is left and removes the unit.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_addPower_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_addPower_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_addPower_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the amount left; word 2: the time left, in ms.
AZ_UNIT_GETTER(b_addPower, 57, Amount, 1)
AZ_UNIT_SETTER(b_addPower, 57, Amount, 1)
AZ_UNIT_GETTER(b_addPower, 57, Duration, 2)
AZ_UNIT_SETTER(b_addPower, 57, Duration, 2)
