// The behaviour b_boundingBox (code id 27): the character's body. The box is
// centred on the presenter's x and rises from its y; a negative size from
// the script is made positive at the attach. Nothing changes it afterwards.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_boundingBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_boundingBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_boundingBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the box's width and height in world units.
AZ_UNIT_GETTER(b_boundingBox, 27, Width, 1)
AZ_UNIT_GETTER(b_boundingBox, 27, Height, 2)
AZ_UNIT_SETTER(b_boundingBox, 27, Width, 1)
AZ_UNIT_SETTER(b_boundingBox, 27, Height, 2)
