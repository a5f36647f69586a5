// The instruction f_pushState (code id 96): the states above the one whose
// handler runs exit and are popped; the given state is pushed over it and
// entered.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_pushState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
