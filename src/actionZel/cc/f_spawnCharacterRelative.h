// The instruction f_spawnCharacterRelative (code id 120): a new character
// placed relative to an anchor on the own character or on the view, optionally
// bound to it as a b_child and sent an event.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_spawnCharacterRelative(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
