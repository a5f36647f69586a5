// The visual v_customCodeCallback (code id 78): a callback id for the render
// hooks; no instance is reserved for it, so it is never attached or drawn.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void v_customCodeCallback_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_customCodeCallback_render(AZ_Presenter* presenter, std::int32_t codeSlot);
void v_customCodeCallback_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the callback id handed to the render hooks.
AZ_UNIT_GETTER(v_customCodeCallback, 78, CallbackId, 1)
