#include "src/actionZel/cc/b_angle.h"

#include "platform/shared/core/Wrap.h"

namespace {

constexpr std::int32_t kId = 3;

}  // namespace

void b_angle_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_angle), __LINE__);
    // A re-attach that keeps the word shifts the kept value again.
    b_angle_setAngle(codeSlot, Shl32(b_angle_getAngle(codeSlot), 10));
}

void b_angle_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_angle), __LINE__);
}

void b_angle_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_angle), __LINE__);
}
