// The instruction f_pauseBehavior (code id 111): a behaviour of the own
// presenter paused.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_pauseBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
