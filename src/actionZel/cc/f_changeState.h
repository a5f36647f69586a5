// The instruction f_changeState (code id 95): the state whose handler runs,
// and every state above it, exit; the given state replaces it on top and is
// entered.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
