// The instruction f_resumeCharacter (code id 129): updates (flag 1) and
// drawing (flag 1) started again on every presenter of a type.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_resumeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
