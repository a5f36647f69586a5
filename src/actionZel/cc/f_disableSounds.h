// The instruction f_disableSounds (code id 145): stops every sound and switches sound off.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_disableSounds(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
