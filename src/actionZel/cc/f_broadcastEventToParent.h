// The instruction f_broadcastEventToParent (code id 127): an event to the own
// b_child parent, when it is a character rather than the view or the camera.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_broadcastEventToParent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
