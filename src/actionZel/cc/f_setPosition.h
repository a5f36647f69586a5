// The instruction f_setPosition (code id 124): the own position, in whole
// tiles.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setPosition(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
