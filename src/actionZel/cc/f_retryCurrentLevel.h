// The instruction f_retryCurrentLevel (code id 138): starts the current level again.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_retryCurrentLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
