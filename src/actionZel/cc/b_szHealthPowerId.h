// The behaviour b_szHealthPowerId (code id 56): the animations of the
// head-up display's health and power bar sprites (its v_hudBar starts
// them); plays the power bar's once and pauses itself when it ends.
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_szHealthPowerId_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_szHealthPowerId_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_szHealthPowerId_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

// Words 1 and 2: the animations of the health and the power overlay.
AZ_UNIT_GETTER(b_szHealthPowerId, 56, HealthAnimation, 1)
AZ_UNIT_GETTER(b_szHealthPowerId, 56, PowerAnimation, 2)
