// The instruction f_resumeBehavior (code id 113): a behaviour of the own
// presenter running again.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_resumeBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
