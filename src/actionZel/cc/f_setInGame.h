// The instruction f_setInGame (code id 157): no effect; a call consumes its
// arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setInGame(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
