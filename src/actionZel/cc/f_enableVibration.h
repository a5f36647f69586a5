// The instruction f_enableVibration (code id 146): switches vibration on where the options allow it.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Whether the options offer vibration (options modes 1 and 2).
bool AZ_IsVibrationAllowed();

void f_enableVibration(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
