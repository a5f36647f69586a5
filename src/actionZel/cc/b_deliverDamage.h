// The behaviour b_deliverDamage (code id 24): takes an amount of health,
// less the share the character's b_armor removes at the attach, spread over
// a duration; the update after the duration is spent applies what is left
// (the excess of an overshoot given back) and removes the unit. Also the
// spreading step that b_increaseHealth shares.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_deliverDamage_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_deliverDamage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_deliverDamage_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the amount left; word 2: the time left, in ms.
AZ_UNIT_GETTER(b_deliverDamage, 24, Amount, 1)
AZ_UNIT_SETTER(b_deliverDamage, 24, Amount, 1)
AZ_UNIT_GETTER(b_deliverDamage, 24, Duration, 2)
AZ_UNIT_SETTER(b_deliverDamage, 24, Duration, 2)

// One update's share of the amount of the presenter's unit codeId (24, or
// 25 whose amount is negated) taken off its b_health: amount x dt / time
// left, or, once no time is left, the whole amount (and b_deliverDamage is
// removed). Nothing without b_health.
void b_deliverDamage_applyOverTime(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime,
                                   std::int32_t codeId);
