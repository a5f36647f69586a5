// The instruction f_broadcastEventToChild (code id 126): an event to every
// character of a type bound to the own presenter as its b_child parent.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_broadcastEventToChild(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
