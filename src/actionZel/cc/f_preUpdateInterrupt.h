// The instruction f_preUpdateInterrupt (code id 134): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_preUpdateInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
