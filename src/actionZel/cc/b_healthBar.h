// The behaviour b_healthBar (code id 26): sets up the character's v_bar as
// a 26 x 6 bar above its b_boundingBox and fills it every update from its
// b_health, yellow, orange below 66 % and red below 33 %; health 0 removes
// the unit and the bar. In shrink mode (word 1 not 0) the bar's outer width
// is 4 + 22 x percent / 100, centred on the character, so a full bar is
// the normal one and an emptying bar shrinks toward its centre.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_healthBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_healthBar_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_healthBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the shrink mode.
AZ_UNIT_GETTER(b_healthBar, 26, Shrink, 1)
