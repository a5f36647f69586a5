// The instruction f_unmaskEvent (code id 154): no effect; a call consumes its
// arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unmaskEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
