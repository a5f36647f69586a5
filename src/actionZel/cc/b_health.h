// The behaviour b_health (code id 20): the character's health and its
// maximum. The units that change health call b_health_onChanged after each
// change, which keeps the health within 0 .. maximum and tells the script:
// 200 full, 199 empty, 198 down to 192 when the health enters a new band.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_health_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_health_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_health_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: current and maximum health.
AZ_UNIT_GETTER(b_health, 20, Health, 1)
AZ_UNIT_SETTER(b_health, 20, Health, 1)
AZ_UNIT_GETTER(b_health, 20, MaxHealth, 2)

// After word 1 of the presenter's b_health (at healthSlot) was changed from
// previous: clamps it and raises at most one event on the character.
void b_health_onChanged(AZ_Presenter* presenter, std::int32_t healthSlot, std::int32_t previous);
