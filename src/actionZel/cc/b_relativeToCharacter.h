// The behaviour b_relativeToCharacter (code id 52): a one-shot that runs
// b_relativeDirection's pair step between its holder and every active
// character of a type in iteration order, the holder included, reading
// the holder afresh for each; it removes itself first.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_relativeToCharacter_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_relativeToCharacter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_relativeToCharacter_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the type compared with, -1 nobody.
AZ_UNIT_GETTER(b_relativeToCharacter, 52, Type, 1)
