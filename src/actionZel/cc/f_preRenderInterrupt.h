// The instruction f_preRenderInterrupt (code id 136): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_preRenderInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
