// The instruction f_detachVisual (code id 105): a visual detached from the own
// presenter.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_detachVisual(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
