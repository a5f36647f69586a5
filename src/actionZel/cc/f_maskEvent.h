// The instruction f_maskEvent (code id 153): no effect; a call consumes its
// arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_maskEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
