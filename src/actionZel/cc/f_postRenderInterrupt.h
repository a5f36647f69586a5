// The instruction f_postRenderInterrupt (code id 137): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_postRenderInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
