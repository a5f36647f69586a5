// The visual v_szTiledSprite (code id 89): a pooled sprite repeated from
// the character down to the first character of type 3, like a rope from its
// anchor (words: archetype, character, animation, spacing in world units,
// the pool id it keeps). It places the character above that one itself,
// holding a b_child of its own paused.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_szTiledSprite_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_szTiledSprite_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_szTiledSprite_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 5: the SZ_Pool id of the repeated sprite.
AZ_UNIT_GETTER(v_szTiledSprite, 89, Sprite, 5)
