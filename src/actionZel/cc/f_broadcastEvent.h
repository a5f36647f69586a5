// The instruction f_broadcastEvent (code id 99): an event to every character
// of a type.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_broadcastEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
