// The visual v_rect (code id 91): one screen rectangle (words: x, y, width,
// height, written by its driving behaviour) filled in the colour of the
// character's v_color; nothing without one or with its alpha at 0.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_rect_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_rect_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_rect_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 3 and 4: the width and height in pixels.
AZ_UNIT_SETTER(v_rect, 91, Width, 3)
AZ_UNIT_SETTER(v_rect, 91, Height, 4)
