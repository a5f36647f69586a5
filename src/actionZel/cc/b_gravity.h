// The behaviour b_gravity (code id 8): accelerates the b_motion vertical
// velocity up to a terminal speed and probes the tiles one pixel beyond
// where the box is heading: on a hit the character is put on the ground (or
// under the ceiling); a landing zeroes the velocity and raises 177, 167 and
// 170. Starting to fall raises 179, passing three quarters of the terminal
// speed 178 (the velocity jumps to it), reaching it 180. The character must
// hold b_motion and b_boundingBox.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_gravity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_gravity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_gravity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the acceleration, world units per 1024 ms added per 1024 ms.
AZ_UNIT_GETTER(b_gravity, 8, Acceleration, 1)
// Word 2: the largest downward velocity.
AZ_UNIT_GETTER(b_gravity, 8, TerminalVelocity, 2)
