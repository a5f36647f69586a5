// The instruction f_disableVibration (code id 147): stops every vibration and switches vibration off.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_disableVibration(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
