// The instruction f_setPositionRelative (code id 130): the own position set
// relative to the nearest character of a type; -32767 keeps a coordinate.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setPositionRelative(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
