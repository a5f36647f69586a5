// The instruction f_maskBehParam (code id 140): no effect; a call consumes its
// arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_maskBehParam(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
