// The instruction f_resumeVisual (code id 114): a visual of the own presenter
// drawn again.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_resumeVisual(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
