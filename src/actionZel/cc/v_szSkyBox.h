// The visual v_szSkyBox (code id 87): one pooled sprite tiled over the view
// in columns and/or rows, scrolling with parallax factors of its own
// (words: archetype, character, repeat in x, repeat in y, x and y factors
// in 1/1024, the pool id it keeps). The size of a tile is the sprite's
// tag-0 collision rectangle; a sprite without one draws nothing.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_szSkyBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_szSkyBox_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_szSkyBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 7: the SZ_Pool id of its sprite.
AZ_UNIT_GETTER(v_szSkyBox, 87, PoolId, 7)
