// The instruction f_setLayerScrollSpeed (code id 117): a layer's x and y parallax factors, in 1/1024.
// A layer outside the camera's eight is ignored.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_setLayerScrollSpeed(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
