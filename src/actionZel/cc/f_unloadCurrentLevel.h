// The instruction f_unloadCurrentLevel (code id 123): unloads the level: texts, sounds, camera,
// characters and presenters (the calling one too); map and tileset stay.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_unloadCurrentLevel(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
