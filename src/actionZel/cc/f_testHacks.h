// The instruction f_testHacks (code id 161): raises 568 on the character when device.conf reduces
// the jump, then 569 when it gives the test string.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// device.conf's REDUCE_JUMP flag, and whether it gave a STRING_146 text.
bool AZ_IsJumpReduced();
bool AZ_HasTestString();

void f_testHacks(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params);
