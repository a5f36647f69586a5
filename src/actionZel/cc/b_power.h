// The behaviour b_power (code id 55): the character's power and its maximum,
// kept by the power units and shown by the head-up display; the callbacks
// only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_power_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_power_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_power_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: current and maximum power.
AZ_UNIT_GETTER(b_power, 55, Power, 1)
AZ_UNIT_SETTER(b_power, 55, Power, 1)
AZ_UNIT_GETTER(b_power, 55, MaxPower, 2)
