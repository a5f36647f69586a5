// The visual v_combo (code id 92): the player's combo in the lower right
// corner of the view, the count above the combo bar whose unfilled share is
// covered from the right (words: the bar's archetype and character, its
// pool id).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_combo_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_combo_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_combo_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 3: the SZ_Pool id of the combo bar.
AZ_UNIT_GETTER(v_combo, 92, Sprite, 3)
