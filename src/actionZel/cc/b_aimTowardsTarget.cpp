#include "src/actionZel/cc/b_aimTowardsTarget.h"

namespace {

constexpr std::int32_t kId = 15;

}  // namespace

void b_aimTowardsTarget_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_aimTowardsTarget), __LINE__);
}

void b_aimTowardsTarget_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_aimTowardsTarget), __LINE__);
}

void b_aimTowardsTarget_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_aimTowardsTarget), __LINE__);
}
