// The visual v_hud (code id 82): a head-up display; no instance is reserved for it, so
// it is never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_hud_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hud_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_hud_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
