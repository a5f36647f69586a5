#include "src/actionZel/cc/v_customCodeCallback.h"

// Only the checks: nothing is kept or drawn.
void v_customCodeCallback_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(78, presenter, codeSlot, AZ_UNIT_SOURCE(v_customCodeCallback), __LINE__);
}

void v_customCodeCallback_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(78, presenter, codeSlot, AZ_UNIT_SOURCE(v_customCodeCallback), __LINE__);
}

void v_customCodeCallback_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(78, presenter, codeSlot, AZ_UNIT_SOURCE(v_customCodeCallback), __LINE__);
}
