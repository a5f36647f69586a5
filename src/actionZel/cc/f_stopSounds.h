// The instruction f_stopSounds (code id 148): stops every sound and detaches b_playSound from every
// character; the sound option stays.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_stopSounds(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
