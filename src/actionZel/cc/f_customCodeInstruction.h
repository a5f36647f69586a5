// The instruction f_customCodeInstruction (code id 94): no effect; a call
// consumes its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_customCodeInstruction(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
