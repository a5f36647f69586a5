// The behaviour b_checkPower (code id 58): a one-shot test at the attach
// of whether the character has the power needed: it removes itself, then
// raises 333 (enough) or 334 (too little). Without b_power it stays idle.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_checkPower_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_checkPower_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_checkPower_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the power needed.
AZ_UNIT_GETTER(b_checkPower, 58, Threshold, 1)
