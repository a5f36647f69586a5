// The instruction f_unOverrideState (code id 121): the override of a base
// state dropped on the own character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unOverrideState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
