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

// Words 1 and 2: the offset from the character's screen point; 3 and 4 the
// outer size; 5 and 6 the insets, in pixels.
AZ_UNIT_SETTER(v_bar, 83, OffsetX, 1)
AZ_UNIT_SETTER(v_bar, 83, OffsetY, 2)
AZ_UNIT_SETTER(v_bar, 83, Width, 3)
AZ_UNIT_SETTER(v_bar, 83, Height, 4)
AZ_UNIT_SETTER(v_bar, 83, InsetX, 5)
AZ_UNIT_SETTER(v_bar, 83, InsetY, 6)
// Word 7: the filled fraction, percent << 10.
AZ_UNIT_SETTER(v_bar, 83, Fill, 7)
// Words 8 to 10: background, fill and border colours (0xAARRGGBB).
AZ_UNIT_SETTER(v_bar, 83, BackColor, 8)
AZ_UNIT_SETTER(v_bar, 83, FillColor, 9)
AZ_UNIT_SETTER(v_bar, 83, BorderColour, 10)
// Word 11: the loading bar's colour-cycle time in ms (the bar itself never
// reads it).
AZ_UNIT_GETTER(v_bar, 83, CycleTime, 11)
AZ_UNIT_SETTER(v_bar, 83, CycleTime, 11)
