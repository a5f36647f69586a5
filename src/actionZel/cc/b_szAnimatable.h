// The behaviour b_szAnimatable (code id 12): plays one animation of the
// character's sprite (its v_sz, else its v_szSkyBox), mirrored while the
// character faces left. A one-shot animation that ends pauses the unit and
// raises 164 on the character; a character without a sprite loses the unit
// at its first update.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the sprite's animation and whether it loops (1).
AZ_UNIT_GETTER(b_szAnimatable, 12, Animation, 1)
AZ_UNIT_GETTER(b_szAnimatable, 12, Loop, 2)
