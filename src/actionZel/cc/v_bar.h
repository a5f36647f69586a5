// The visual v_bar (code id 83): a bar of three nested rectangles at the
// character (border, background, filled part), for health and loading bars;
// its driving behaviour writes every word (offset x and y, outer width and
// height, insets x and y, fill as percent << 10, background, fill and
// border colours).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_bar_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_bar_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_bar_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
