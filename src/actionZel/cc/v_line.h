// The visual v_line (code id 79): a line between two points; no instance is reserved
// for it, so it is never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_line_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_line_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_line_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
