// The combo of a character and its meter. b_combo (code id 74) counts hits
// that follow each other within a window and slides the combo display out
// once the combo ends; b_addCombo (75), attached once per hit or miss,
// feeds the meter over a duration, more the longer the combo runs;
// b_comboBarAnimationIds (73), on the display character (the first of type
// 79, with v_combo), names the bar sprite's filling and full animations
// and keeps the sprite animating.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_comboBarAnimationIds_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_comboBarAnimationIds_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_comboBarAnimationIds_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_combo_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_combo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_combo_detach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_addCombo_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_addCombo_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_addCombo_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 3 of b_comboBarAnimationIds: the bar's animation while the
// meter fills and once it is full.
AZ_UNIT_GETTER(b_comboBarAnimationIds, 73, FillingAnimation, 1)
AZ_UNIT_GETTER(b_comboBarAnimationIds, 73, FullAnimation, 3)

// Words 1 and 2: the combo meter and its maximum.
AZ_UNIT_GETTER(b_combo, 74, Meter, 1)
AZ_UNIT_SETTER(b_combo, 74, Meter, 1)
AZ_UNIT_GETTER(b_combo, 74, MeterMax, 2)
// Word 3: the ms after a hit within which the next one continues the combo.
AZ_UNIT_GETTER(b_combo, 74, ComboWindow, 3)
// Word 4: the hits of the current combo.
AZ_UNIT_GETTER(b_combo, 74, Count, 4)
AZ_UNIT_SETTER(b_combo, 74, Count, 4)
// Words 5 and 6: how far, in pixels, the bar is slid down and the count
// slid right out of their places.
AZ_UNIT_GETTER(b_combo, 74, BarOffset, 5)
AZ_UNIT_SETTER(b_combo, 74, BarOffset, 5)
AZ_UNIT_GETTER(b_combo, 74, CountOffset, 6)
AZ_UNIT_SETTER(b_combo, 74, CountOffset, 6)
// Word 7: ms since the last hit; words 8 and 9: ms the bar and the count
// have been sliding out.
AZ_UNIT_GETTER(b_combo, 74, TimeSinceHit, 7)
AZ_UNIT_SETTER(b_combo, 74, TimeSinceHit, 7)
AZ_UNIT_GETTER(b_combo, 74, BarSlideTime, 8)
AZ_UNIT_SETTER(b_combo, 74, BarSlideTime, 8)
AZ_UNIT_GETTER(b_combo, 74, CountSlideTime, 9)
AZ_UNIT_SETTER(b_combo, 74, CountSlideTime, 9)
// Word 10: the combo count shown; word 11: the bar's state (1 hidden, 0
// sliding out, -1 shown).
AZ_UNIT_GETTER(b_combo, 74, ShownCount, 10)
AZ_UNIT_SETTER(b_combo, 74, ShownCount, 10)
AZ_UNIT_GETTER(b_combo, 74, BarState, 11)
AZ_UNIT_SETTER(b_combo, 74, BarState, 11)

// Word 1 of b_addCombo: the amount still to add (a miss at 0 or less);
// word 2: the ms left to add it in.
AZ_UNIT_GETTER(b_addCombo, 75, Amount, 1)
AZ_UNIT_SETTER(b_addCombo, 75, Amount, 1)
AZ_UNIT_GETTER(b_addCombo, 75, Duration, 2)
AZ_UNIT_SETTER(b_addCombo, 75, Duration, 2)
