// The behaviour b_drawable (code id 40): the character's drawing priority
// (a negative one places it on parallax layer -p - 1) and, while word 2 is
// set, whether its box is in the camera view: 208 when it comes into view
// (a dormant presenter made active first), 285 when it leaves.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_drawable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_drawable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_drawable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Whether the box (world units) overlaps the view of the camera's active
// layer; never while the view is off.
bool AZ_IsBoxOnActiveLayerScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

// Word 1: the drawing priority (a character without b_drawable counts as 100).
AZ_UNIT_GETTER(b_drawable, 40, Priority, 1)
AZ_UNIT_GETTER(b_drawable, 40, Tracking, 2)
// Word 3: 0 not yet known, 1 in view, 2 just came into view, 3 out of
// view, 4 just went out.
AZ_UNIT_GETTER(b_drawable, 40, Visibility, 3)
AZ_UNIT_SETTER(b_drawable, 40, Visibility, 3)
