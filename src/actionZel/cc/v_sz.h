// The visual v_sz (code id 86): the character's animated sprite from the
// sprite pool, drawn at its position in the world (words: archetype,
// character, the pool id it keeps).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_sz_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_sz_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_sz_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 3: the SZ_Pool id of the character's sprite.
AZ_UNIT_GETTER(v_sz, 86, PoolId, 3)
