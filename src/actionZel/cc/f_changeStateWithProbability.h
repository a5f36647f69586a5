// The instruction f_changeStateWithProbability (code id 101): f_changeState to
// state A when the threshold is above a draw of 0..1024, else to state B.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeStateWithProbability(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
