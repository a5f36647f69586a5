// The visual v_textBox (code id 80): a text box; no instance is reserved for it, so it is
// never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_textBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_textBox_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_textBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
