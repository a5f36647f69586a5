// The instruction f_setUserControlCharacter (code id 118): the first character
// of a type becomes the one the camera follows, and with the keys flag the one
// taking keys.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// The first character of the type (none: nothing) becomes the user
// character, and with keys = 1 the key character; the camera looks at it,
// at once with snap = 1.
void AZ_SetUserControlCharacter(std::int32_t type, std::int32_t snap, std::int32_t keys);

void f_setUserControlCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
