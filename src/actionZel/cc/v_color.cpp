#include "src/actionZel/cc/v_color.h"

// Only the checks: nothing is kept or drawn.
void v_color_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(88, presenter, codeSlot, AZ_UNIT_SOURCE(v_color), __LINE__);
}

void v_color_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(88, presenter, codeSlot, AZ_UNIT_SOURCE(v_color), __LINE__);
}

void v_color_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(88, presenter, codeSlot, AZ_UNIT_SOURCE(v_color), __LINE__);
}
