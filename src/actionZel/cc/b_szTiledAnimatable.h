// The behaviour b_szTiledAnimatable (code id 54): advances the animation of
// the repeated sprite of the character's v_szTiledSprite; the sprite's own
// loop setting decides what follows its end.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szTiledAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szTiledAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szTiledAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
