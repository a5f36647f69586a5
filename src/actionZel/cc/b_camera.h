// The behaviour b_camera (code id 4): on the user-controlled character only,
// points the camera ahead of it (a share of the view in the facing
// direction plus a share of its velocity), snapping when asked, and scrolls
// the camera each update.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_camera_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_camera_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_camera_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the lead in 1/1024 of the view's width (toward the facing)
// and height (down).
AZ_UNIT_GETTER(b_camera, 4, ScreenLeadX, 1)
AZ_UNIT_GETTER(b_camera, 4, ScreenLeadY, 2)
// Words 3 and 4: the lead in 1/1024 of the velocity in pixels.
AZ_UNIT_GETTER(b_camera, 4, VelocityLeadX, 3)
AZ_UNIT_GETTER(b_camera, 4, VelocityLeadY, 4)
// Word 5: 1 puts the camera on its target at every update.
AZ_UNIT_GETTER(b_camera, 4, Snap, 5)
