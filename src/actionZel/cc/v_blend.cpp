#include "src/actionZel/cc/v_blend.h"

// Only the checks: nothing is kept or drawn.
void v_blend_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(90, presenter, codeSlot, AZ_UNIT_SOURCE(v_blend), __LINE__);
}

void v_blend_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(90, presenter, codeSlot, AZ_UNIT_SOURCE(v_blend), __LINE__);
}

void v_blend_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(90, presenter, codeSlot, AZ_UNIT_SOURCE(v_blend), __LINE__);
}
