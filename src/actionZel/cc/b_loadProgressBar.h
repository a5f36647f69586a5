// The behaviour b_loadProgressBar (code id 61): on the loading character,
// sizes its v_rect backdrop to the view and drives its v_bar from the
// b_loader's counts (two steps ahead of them), with a border fading from
// blue to black and back every two seconds; it hides the bar for good when
// one piece of work is left.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_loadProgressBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_loadProgressBar_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_loadProgressBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
