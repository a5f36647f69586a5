// The instruction f_postUpdateInterrupt (code id 135): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_postUpdateInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
