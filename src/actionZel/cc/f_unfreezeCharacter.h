// The instruction f_unfreezeCharacter (code id 152): every presenter of a type
// unfrozen.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unfreezeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
