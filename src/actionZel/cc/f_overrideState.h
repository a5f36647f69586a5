// The instruction f_overrideState (code id 110): a derived state replaces a
// base state on the own character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_overrideState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
