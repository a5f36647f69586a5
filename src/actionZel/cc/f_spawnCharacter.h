// The instruction f_spawnCharacter (code id 119): a new character of a type at
// a world position, facing left for direction -1.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_spawnCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
