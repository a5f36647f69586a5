// The behaviour b_multipleProximity (code id 50): tells its character when
// two characters of a type stand closer than a distance at its height with
// at least one of them behind it (313), and when that ends (314).
#pragma once

#include "src/actionZel/AZ_Unit.h"

void b_multipleProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot);
void b_multipleProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime);
void b_multipleProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot);

AZ_UNIT_GETTER(b_multipleProximity, 50, Type, 1)
AZ_UNIT_GETTER(b_multipleProximity, 50, Distance, 2)
// Word 3: 0 after attach, 1 after 313, 2 after 314.
AZ_UNIT_GETTER(b_multipleProximity, 50, State, 3)
AZ_UNIT_SETTER(b_multipleProximity, 50, State, 3)
