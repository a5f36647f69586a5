// The behaviour b_collisionGrapple (code id 53): runs on a hook that rises
// above its thrower (the first character of type 3). It keeps the hook on
// the thrower's x, registers it with the thrower's b_fireGrapple, reports a
// rope longer than its limit (328), probes the map above the thrower every
// 4096 units up to the limit, and sets a hook that has risen past the hit
// onto it (190). The hook needs a b_child and a v_szTiledSprite.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_collisionGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_collisionGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_collisionGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the rope's limit and the height searched, in world units.
AZ_UNIT_GETTER(b_collisionGrapple, 53, MaxLength, 1)
// Word 2: the y of the last accepted hit.
AZ_UNIT_GETTER(b_collisionGrapple, 53, HitY, 2)
AZ_UNIT_SETTER(b_collisionGrapple, 53, HitY, 2)
// Word 3: the hook's y after the last probe that found nothing; 0 at attach.
AZ_UNIT_GETTER(b_collisionGrapple, 53, LastHookY, 3)
AZ_UNIT_SETTER(b_collisionGrapple, 53, LastHookY, 3)
