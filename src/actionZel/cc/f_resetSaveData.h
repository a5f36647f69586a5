// The instruction f_resetSaveData (code id 150): forgets the saved progress (level reached 0, game
// not started) and saves.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_resetSaveData(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
