// The instruction f_changeEightStatesWithProbabilities (code id 103):
// f_changeState to one of eight states, chosen by seven cumulative weights
// against a draw of 0..1024.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeEightStatesWithProbabilities(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
