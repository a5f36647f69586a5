// The visual v_color (code id 88): the colour (words: red, green, blue, alpha) in which
// v_rect on the same character fills; it draws nothing itself.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_color_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_color_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_color_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 to 4: red, green, blue and alpha (only alpha > 0 counts).
AZ_UNIT_GETTER(v_color, 88, Red, 1)
AZ_UNIT_GETTER(v_color, 88, Green, 2)
AZ_UNIT_GETTER(v_color, 88, Blue, 3)
AZ_UNIT_GETTER(v_color, 88, Alpha, 4)
