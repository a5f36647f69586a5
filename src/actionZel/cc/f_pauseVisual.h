// The instruction f_pauseVisual (code id 112): a visual of the own presenter
// paused.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_pauseVisual(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
