// The instruction f_detachAllBehaviors (code id 106): every behaviour of the
// own presenter detached.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_detachAllBehaviors(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
