// The behaviour b_szGrabbable (code id 31): once the character has a
// sprite, it snaps onto the first character of the grabber type so that
// the x of its sprite's tag-3 rectangle meets the x of the grabber's tag-2
// rectangle (y unchanged), raises 181 on the grabber, and is gone. An
// offset of 0 means the sprite has no such rectangle: nothing moves.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szGrabbable_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szGrabbable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szGrabbable_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the grabber's type (or derived from it).
AZ_UNIT_GETTER(b_szGrabbable, 31, GrabberType, 1)
