#include "src/actionZel/cc/v_hudOverlay.h"

// Only the checks: nothing is kept or drawn.
void v_hudOverlay_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(81, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudOverlay), __LINE__);
}

void v_hudOverlay_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(81, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudOverlay), __LINE__);
}

void v_hudOverlay_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(81, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudOverlay), __LINE__);
}
