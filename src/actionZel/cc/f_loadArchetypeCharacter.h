// The instruction f_loadArchetypeCharacter (code id 156): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_loadArchetypeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
