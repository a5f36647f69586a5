// The behaviour b_tileCollidable (code id 7): no logic of its own; while it
// runs, b_motion sweeps horizontal moves against the tile map, and the level
// loader drops a freshly placed character that holds it onto the ground.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_tileCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_tileCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_tileCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 0: the status (0 running, 1 paused); b_motion sweeps only while 0.
AZ_UNIT_GETTER(b_tileCollidable, 7, Status, 0)
