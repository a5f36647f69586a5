#include "src/actionZel/cc/v_textBox.h"

// Only the checks: nothing is kept or drawn.
void v_textBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(80, presenter, codeSlot, AZ_UNIT_SOURCE(v_textBox), __LINE__);
}

void v_textBox_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(80, presenter, codeSlot, AZ_UNIT_SOURCE(v_textBox), __LINE__);
}

void v_textBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(80, presenter, codeSlot, AZ_UNIT_SOURCE(v_textBox), __LINE__);
}
