#include "src/actionZel/cc/v_hud.h"

// Only the checks: nothing is kept or drawn.
void v_hud_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(82, presenter, codeSlot, AZ_UNIT_SOURCE(v_hud), __LINE__);
}

void v_hud_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(82, presenter, codeSlot, AZ_UNIT_SOURCE(v_hud), __LINE__);
}

void v_hud_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(82, presenter, codeSlot, AZ_UNIT_SOURCE(v_hud), __LINE__);
}
