// The behaviour b_combo (code id 74): the words the engine reads.
#pragma once

#include "src/actionZel/AZ_Unit.h"

// Words 1 and 2: the combo meter and its maximum.
AZ_UNIT_GETTER(b_combo, 74, Meter, 1)
AZ_UNIT_GETTER(b_combo, 74, MeterMax, 2)
// Words 5 and 6: how far, in pixels, the bar is slid down and the count
// slid right out of their places.
AZ_UNIT_GETTER(b_combo, 74, BarOffset, 5)
AZ_UNIT_GETTER(b_combo, 74, CountOffset, 6)
// Word 10: the combo count shown; word 11: the bar's state (1 hidden, 0
// sliding out, -1 shown).
AZ_UNIT_GETTER(b_combo, 74, Count, 10)
AZ_UNIT_GETTER(b_combo, 74, BarState, 11)
