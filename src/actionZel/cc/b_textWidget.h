// The behaviour b_textWidget (code id 63): a label of the text pool at its
// character. It holds the string bound while attached and hands string,
// box (its b_boundingBox in pixels, else 100 x 15) and the character's
// screen point to the presenter's v_textBox, centred both ways.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_textWidget_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_textWidget_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_textWidget_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the string id shown.
AZ_UNIT_GETTER(b_textWidget, 63, StringId, 1)
AZ_UNIT_SETTER(b_textWidget, 63, StringId, 1)
