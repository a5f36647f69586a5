// The instruction f_activateSelected (code id 155): raises 361 on the focused item of the character's
// menu.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_activateSelected(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
