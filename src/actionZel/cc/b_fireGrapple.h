// The behaviour b_fireGrapple (code id 36): ties the thrower to its hook
// character. A fresh instance names no hook (-1); the hook's
// b_collisionGrapple registers itself here. Detaching the unit destroys the
// hook while it is an active character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_fireGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_fireGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_fireGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 4: the hook's presenter id, -1 none.
AZ_UNIT_GETTER(b_fireGrapple, 36, HookId, 4)
AZ_UNIT_SETTER(b_fireGrapple, 36, HookId, 4)

// The row of the hook that the b_fireGrapple instance names, -1 when the id
// names no active character.
std::int32_t AZ_GetHookRow(std::int32_t fireGrappleSlot);
