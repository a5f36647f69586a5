// The instruction f_changeDirection (code id 100): the own facing turned
// around.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeDirection(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
