// The visual v_hudBar (code id 85): the player's health and power on the
// head-up display, two overlay sprites of the character's v_sz drawn in
// screen coordinates, each clipped to the share of its bar that the player
// has lost (words: the health and the power overlay's pool ids).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_hudBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudBar_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hudBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the SZ_Pool ids of the health and the power overlay.
AZ_UNIT_GETTER(v_hudBar, 85, HealthSprite, 1)
AZ_UNIT_GETTER(v_hudBar, 85, PowerSprite, 2)
