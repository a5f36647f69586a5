// The instruction f_loadNextLevel (code id 125): saves the next level as reached and asks the
// application to go on to it (interrupt 3). Past the last level the save
// stays at the last one; the game ends there.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_loadNextLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
