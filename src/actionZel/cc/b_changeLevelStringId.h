// The behaviour b_changeLevelStringId (code id 62): every attach on a
// character showing a text (b_textWidget or b_textBox) steps its string id
// by word 1, within the names of the levels reached when it is a
// b_textWidget, and raises 343 + the level index shown (353 at most). The
// first attach records the first level's name as the base and shows the
// highest level reached. On a character without a text the first update
// tells the key-input character, once, whether a game was started (343 or
// 342), sound (355 or 356) and vibration (357 or 358) are on, and removes
// the unit.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_changeLevelStringId_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_changeLevelStringId_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_changeLevelStringId_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the signed step of each attach.
AZ_UNIT_GETTER(b_changeLevelStringId, 62, Step, 1)
// Word 2: the string id of the first level's name.
AZ_UNIT_GETTER(b_changeLevelStringId, 62, BaseStringId, 2)
AZ_UNIT_SETTER(b_changeLevelStringId, 62, BaseStringId, 2)
