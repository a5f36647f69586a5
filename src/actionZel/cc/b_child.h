// The behaviour b_child (code id 2): places the character at an offset from
// an anchor every update: its parent presenter, or the camera view's bottom
// centre (-2) or top-left corner (-3). Its own b_motion velocity moves the
// offset; with followFacing it takes the parent's facing and mirrors.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_child_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_child_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_child_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 0: the status, written to pause and resume the child's placement.
AZ_UNIT_SETTER(b_child, 2, Status, 0)
// Words 1 and 2: the offset from the parent point, in world units.
AZ_UNIT_GETTER(b_child, 2, OffsetX, 1)
AZ_UNIT_SETTER(b_child, 2, OffsetX, 1)
AZ_UNIT_GETTER(b_child, 2, OffsetY, 2)
AZ_UNIT_SETTER(b_child, 2, OffsetY, 2)
// Word 3: 1 when the child copies its parent's facing and mirrors the x offset.
AZ_UNIT_GETTER(b_child, 2, FollowFacing, 3)
AZ_UNIT_SETTER(b_child, 2, FollowFacing, 3)
// Word 4: the parent presenter id (-1 none, -2 the view's bottom centre, -3 the camera origin).
AZ_UNIT_GETTER(b_child, 2, Parent, 4)
AZ_UNIT_SETTER(b_child, 2, Parent, 4)
