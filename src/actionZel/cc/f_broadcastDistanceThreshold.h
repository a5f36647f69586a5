// The instruction f_broadcastDistanceThreshold (code id 98): an event to every
// other character of a type nearer than both distances, strictly, on either
// axis.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_broadcastDistanceThreshold(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
