// The instruction f_unmaskVisParam (code id 143): no effect; a call consumes
// its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unmaskVisParam(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
