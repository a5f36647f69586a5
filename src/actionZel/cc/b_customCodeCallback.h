// The behaviour b_customCodeCallback (code id 0): while a presenter holds
// it, the engine brackets each of the presenter's behaviour updates with the
// application's hooks (AZ_OnPreUpdate, AZ_OnPostUpdate), handing them the
// callback id. The unit itself does nothing.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_customCodeCallback_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_customCodeCallback_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_customCodeCallback_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the callback id handed to the update hooks.
AZ_UNIT_GETTER(b_customCodeCallback, 0, CallbackId, 1)
