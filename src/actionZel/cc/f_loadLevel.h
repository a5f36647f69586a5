// The instruction f_loadLevel (code id 109): level's tileset, map and entities: at once, or left to the
// character's b_loader to load step by step; the clear colour is set first.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_loadLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
