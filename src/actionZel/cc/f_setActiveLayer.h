// The instruction f_setActiveLayer (code id 115): the map layer the characters are drawn on (-1 none),
// taken as given.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setActiveLayer(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
