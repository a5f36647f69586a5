// The instruction f_unspawnCharacter (code id 122): the own character's row
// removed; the presenter stays allocated with its units.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unspawnCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
