// The instruction f_setDirection (code id 116): the own facing: left for -1,
// else right.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setDirection(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
