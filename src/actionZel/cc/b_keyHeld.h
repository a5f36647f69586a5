// The behaviour b_keyHeld (code id 19): waits for the game key pressed last
// to be held for its time. Held that long, it removes itself and raises the
// held keys' events (AZ_KeyManager::sendHeldKeyEvents); released first, it
// removes itself and raises 210.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_keyHeld_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_keyHeld_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_keyHeld_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
