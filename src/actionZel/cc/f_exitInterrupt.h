// The instruction f_exitInterrupt (code id 133): sets the engine's interrupt code, which the next
// update hands to the application.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_exitInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
