// The instruction f_changeCharacterType (code id 158): the own character takes
// another type.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void f_changeCharacterType(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
