// The instruction f_spawnInGameTextBox (code id 160): opens the in-game text
// box, a character of type 81 replacing any open one, and fills its
// b_inGameTextBox and v_inGameTextBox: text, portrait, side, backdrop, page
// time, a number left on a counter and the event its closing raises.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_spawnInGameTextBox(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
