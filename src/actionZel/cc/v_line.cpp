#include "src/actionZel/cc/v_line.h"

// Only the checks: nothing is kept or drawn.
void v_line_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(79, presenter, codeSlot, AZ_UNIT_SOURCE(v_line), __LINE__);
}

void v_line_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(79, presenter, codeSlot, AZ_UNIT_SOURCE(v_line), __LINE__);
}

void v_line_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(79, presenter, codeSlot, AZ_UNIT_SOURCE(v_line), __LINE__);
}
