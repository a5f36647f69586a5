// The instruction f_pauseCharacter (code id 128): updates (flag 1) and drawing
// (flag 1) stopped on every presenter of a type.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_pauseCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
