// The instruction f_changeFourStatesWithProbabilities (code id 102):
// f_changeState to one of four states, chosen by three cumulative weights
// against a draw of 0..1024.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeFourStatesWithProbabilities(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
