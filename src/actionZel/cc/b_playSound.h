// The behaviour b_playSound (code id 68): plays one of the scripts' sounds
// while the sound option is on. A one-shot removes itself once its sound
// has ended and raises 362; a loop starts the sound again whenever it has
// ended, until it is detached, which stops the sound.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_playSound_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_playSound_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_playSound_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
