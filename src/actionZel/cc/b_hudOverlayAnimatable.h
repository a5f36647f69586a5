// The behaviour b_hudOverlayAnimatable (code id 39): plays an animation on
// the sprite of the character's v_hudOverlay and starts animation 0 each
// time one ends. No character can hold that visual (it has no instances),
// so the unit finds nothing to animate.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_hudOverlayAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_hudOverlayAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_hudOverlayAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the animation and whether it loops (1).
AZ_UNIT_GETTER(b_hudOverlayAnimatable, 39, Animation, 1)
AZ_UNIT_GETTER(b_hudOverlayAnimatable, 39, Loop, 2)
