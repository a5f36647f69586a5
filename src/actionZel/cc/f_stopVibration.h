// The instruction f_stopVibration (code id 149): no effect; a call consumes
// its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_stopVibration(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
