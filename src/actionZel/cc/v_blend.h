// The visual v_blend (code id 90): a blend over the view; no instance is reserved for it,
// so it is never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_blend_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_blend_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_blend_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
