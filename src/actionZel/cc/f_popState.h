// The instruction f_popState (code id 97): the state whose handler runs, and
// every state above it, exit and are popped; an empty stack destroys the
// character, else the uncovered state is entered unless the flag is 0.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_popState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
