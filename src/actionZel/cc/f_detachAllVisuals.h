// The instruction f_detachAllVisuals (code id 107): every visual of the own
// presenter detached.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_detachAllVisuals(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
