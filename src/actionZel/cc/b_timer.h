// The behaviour b_timer (code id 17): counts its time down by the frame
// time and, once it has run out, removes itself and raises 299 on its
// character (a 299 handler that attaches it again gets a fresh instance).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_timer_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_timer_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_timer_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the time left, in ms.
AZ_UNIT_GETTER(b_timer, 17, Time, 1)
AZ_UNIT_SETTER(b_timer, 17, Time, 1)
