// The instruction f_checkComboMeter (code id 159): raises 403 on the character when its combo meter
// is full.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_checkComboMeter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
