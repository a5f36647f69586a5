// The instruction f_unmaskBehParam (code id 141): no effect; a call consumes
// its arguments.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unmaskBehParam(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
