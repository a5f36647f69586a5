// The instruction f_maskVisParam (code id 142): no effect; a call consumes its
// arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_maskVisParam(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
