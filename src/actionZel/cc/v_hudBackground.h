// The visual v_hudBackground (code id 84): a pooled sprite drawn in the
// middle of the screen behind the head-up display (words: archetype, the
// pool id it keeps).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_hudBackground_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudBackground_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudBackground_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 2: the SZ_Pool id of its sprite.
AZ_UNIT_GETTER(v_hudBackground, 84, PoolId, 2)
