// The instruction f_detachBehavior (code id 104): a behaviour detached from
// the own presenter.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_detachBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
