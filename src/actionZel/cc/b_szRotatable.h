// The behaviour b_szRotatable (code id 13): plays a looping animation whose
// frames show the character at evenly spaced angles, frame 0 centred on 0
// degrees, and shows every update the frame nearest to the character's
// b_angle.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szRotatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szRotatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szRotatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the rotation animation.
AZ_UNIT_GETTER(b_szRotatable, 13, Animation, 1)
