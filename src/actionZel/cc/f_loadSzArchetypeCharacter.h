// The instruction f_loadSzArchetypeCharacter (code id 139): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_loadSzArchetypeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
