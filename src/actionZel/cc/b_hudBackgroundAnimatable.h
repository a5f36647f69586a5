// The behaviour b_hudBackgroundAnimatable (code id 28): plays an animation
// on the sprite of the character's v_hudBackground, started at the attach
// (when the visual is there) and advanced every update.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_hudBackgroundAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_hudBackgroundAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_hudBackgroundAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the animation and whether it loops (1).
AZ_UNIT_GETTER(b_hudBackgroundAnimatable, 28, Animation, 1)
AZ_UNIT_GETTER(b_hudBackgroundAnimatable, 28, Loop, 2)
