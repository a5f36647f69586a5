// The behaviour b_armor (code id 21): the share of damage the character's
// armour takes, in 1/1024, applied when a damage is attached; the callbacks
// only check.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_armor_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_armor_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_armor_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the armour, in 1/1024 of the damage.
AZ_UNIT_GETTER(b_armor, 21, Armor, 1)
