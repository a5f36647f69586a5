// The behaviour b_directionalFacing (code id 30): every update the
// character turns towards the nearest character of a type (the first met
// on a tie): right when that one stands strictly right of it, else left.
// With none it faces as if one stood at x 0.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_directionalFacing_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_directionalFacing_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_directionalFacing_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the type faced (or derived from it).
AZ_UNIT_GETTER(b_directionalFacing, 30, TargetType, 1)
