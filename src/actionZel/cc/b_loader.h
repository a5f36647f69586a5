// The behaviour b_loader (code id 60): runs a requested level load one
// piece per update (a queued sprite load, else one step of the adapter's
// stepwise load), keeping the total and the count left for the progress
// bar. When nothing is left it removes itself, opens the view and raises
// 341 on its character, then 286 on the first character of type 0.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_loader_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_loader_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_loader_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Word 1: the count left when loading started (the bar's 100 %), 0 before.
AZ_UNIT_GETTER(b_loader, 60, Total, 1)
// Word 2: queued sprite loads plus level-load steps left, at the last update.
AZ_UNIT_GETTER(b_loader, 60, Remaining, 2)

// Steps of the adapter's stepwise load still to run (4 - its stage).
std::int32_t AZ_GetLevelLoadStepsLeft();
// Opens the view (the key manager sends keys, the game draws the bottom
// bar) and forgets the stylus flags, so that a tap made while loading does
// not count.
void AZ_EnableView();
