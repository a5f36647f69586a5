// The behaviour b_actionBubble (code id 41): wakes its character when a
// box enlarged from its bounding box meets the view of the active layer
// (a dormant presenter made active, then 207) and tells it when the view
// has left the box (284).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_actionBubble_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_actionBubble_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_actionBubble_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: width added (half each side) and height added above.
AZ_UNIT_GETTER(b_actionBubble, 41, ExtraWidth, 1)
AZ_UNIT_GETTER(b_actionBubble, 41, ExtraHeight, 2)
// Word 3: 0 not yet known, 1 inside the view, 2 outside.
AZ_UNIT_GETTER(b_actionBubble, 41, State, 3)
AZ_UNIT_SETTER(b_actionBubble, 41, State, 3)
