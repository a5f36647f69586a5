// The instruction f_freezeCharacter (code id 151): every presenter of a type
// frozen.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_freezeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
