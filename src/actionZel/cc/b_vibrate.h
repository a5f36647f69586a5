// The behaviour b_vibrate (code id 69): starts a vibration of its duration
// while the vibration option is on and removes itself once it is over. A
// detach leaves a running vibration alone.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_vibrate_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_vibrate_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_vibrate_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
