// The behaviour b_vehicle (code id 38): turns the character's b_angle to
// the direction its b_motion moves it (0 right, 90 degrees rising, 180
// left, 270 falling; 0 at rest), from the stored velocity, before the
// mirroring of a left-facing character.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_vehicle_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_vehicle_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_vehicle_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
