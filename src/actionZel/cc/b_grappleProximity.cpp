#include "src/actionZel/cc/b_grappleProximity.h"

void b_grappleProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(35, presenter, codeSlot, AZ_UNIT_SOURCE(b_grappleProximity), __LINE__);
}

void b_grappleProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(35, presenter, codeSlot, AZ_UNIT_SOURCE(b_grappleProximity), __LINE__);
}

void b_grappleProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(35, presenter, codeSlot, AZ_UNIT_SOURCE(b_grappleProximity), __LINE__);
}
