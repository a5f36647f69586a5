// The instruction f_loadSelectedLevel (code id 132): starts the level named by the focused item of
// the character's menu: its text's string id less the first level's; level 0
// without a focus or a name.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_loadSelectedLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
