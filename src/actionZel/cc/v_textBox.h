// The visual v_textBox (code id 80): a text box; no instance is reserved for it, so it is
// never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_textBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_textBox_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_textBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// The words the text units hand over. Word 1: the string id.
AZ_UNIT_GETTER(v_textBox, 80, StringId, 1)
AZ_UNIT_SETTER(v_textBox, 80, StringId, 1)
// Word 2: always 0.
AZ_UNIT_SETTER(v_textBox, 80, Param2, 2)
// Words 3 and 4: the widget alignment flags (2 centred; 16 top, 32 middle).
AZ_UNIT_SETTER(v_textBox, 80, HorizontalAlignment, 3)
AZ_UNIT_SETTER(v_textBox, 80, VerticalAlignment, 4)
// Words 5 and 6: the box's size in pixels.
AZ_UNIT_GETTER(v_textBox, 80, Width, 5)
AZ_UNIT_SETTER(v_textBox, 80, Width, 5)
AZ_UNIT_GETTER(v_textBox, 80, Height, 6)
AZ_UNIT_SETTER(v_textBox, 80, Height, 6)
// Words 7 and 8: the screen x of the box centre and y of its bottom.
AZ_UNIT_SETTER(v_textBox, 80, X, 7)
AZ_UNIT_SETTER(v_textBox, 80, Y, 8)
// Word 9: the first line shown.
AZ_UNIT_GETTER(v_textBox, 80, FirstLine, 9)
AZ_UNIT_SETTER(v_textBox, 80, FirstLine, 9)
