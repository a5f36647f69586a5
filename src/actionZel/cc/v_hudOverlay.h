// The visual v_hudOverlay (code id 81): a head-up overlay; no instance is reserved for it,
// so it is never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_hudOverlay_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudOverlay_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudOverlay_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 2: the SZ_Pool id of its sprite.
AZ_UNIT_GETTER(v_hudOverlay, 81, Sprite, 2)
