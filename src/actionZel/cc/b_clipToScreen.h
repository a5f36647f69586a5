// The behaviour b_clipToScreen (code id 49): keeps a marker on the edge of
// the view where v_sz draws the character while b_drawable has it off
// screen, and tells the character when it leaves (312) and comes back
// (311).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_clipToScreen_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_clipToScreen_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_clipToScreen_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the marker, in view pixels (x the centre, y the bottom).
AZ_UNIT_GETTER(b_clipToScreen, 49, MarkerX, 1)
AZ_UNIT_SETTER(b_clipToScreen, 49, MarkerX, 1)
AZ_UNIT_GETTER(b_clipToScreen, 49, MarkerY, 2)
AZ_UNIT_SETTER(b_clipToScreen, 49, MarkerY, 2)
