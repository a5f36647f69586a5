// The instruction f_enableSounds (code id 144): switches sound on where the options allow it.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Whether the options offer sound (options mode 2).
bool AZ_IsSoundAllowed();

void f_enableSounds(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
