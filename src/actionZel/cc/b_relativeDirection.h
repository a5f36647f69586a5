// The behaviour b_relativeDirection (code id 42): a one-shot that tells its
// holder and one partner where each stands from the other, then removes
// itself (before any event). The partner is the one another behaviour of
// the holder found (6 b_bBoxCollidable, 9 and 10 b_szCollidable, 18
// b_directionalProximity), read at the attach.
//
// The pair step it shares with b_relativeToCharacter, holder H and partner
// O: on O, when H has a box and O stands within its width, 407 when O's
// middle is above H's feet, else 406; then on H 172 (O in front) or 171
// (behind) and 324 (O strictly to its left) or 325; then the same two on O
// about H.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_relativeDirection_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_relativeDirection_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_relativeDirection_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// The pair step, raising its events (each handled before the next) while
// h, the unit's character, lives, those on o only while o is still the same
// character; answers whether h still lives.
bool AZ_RaiseRelativeDirection(const AZ_Presenter* h, const AZ_Presenter* o);

// Word 1: the code id of the behaviour that supplies the partner.
AZ_UNIT_GETTER(b_relativeDirection, 42, SourceBehavior, 1)
// Word 2: the partner's presenter id, -1 none.
AZ_UNIT_GETTER(b_relativeDirection, 42, Target, 2)
AZ_UNIT_SETTER(b_relativeDirection, 42, Target, 2)
