// The instruction f_generateEvent (code id 108): an event raised on the own
// character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_generateEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
