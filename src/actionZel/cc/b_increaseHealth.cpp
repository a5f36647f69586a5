#include "src/actionZel/cc/b_increaseHealth.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_deliverDamage.h"

namespace {

constexpr std::int32_t kId = 25;
constexpr std::int32_t kHealth = 20;

}  // namespace

void b_increaseHealth_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_increaseHealth), __LINE__);
    // A re-attach that keeps the word negates the kept amount again.
    b_increaseHealth_setAmount(codeSlot, WrapNeg32(b_increaseHealth_getAmount(codeSlot)));
    if (presenter->findCodeSlot(kHealth) == -1) presenter->detach(kId);
}

void b_increaseHealth_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_increaseHealth), __LINE__);
    // The health event's handler may detach this unit, attach it afresh or
    // destroy the character: only the instance still held ends itself.
    const AZ_HeldInstance instance(codeSlot);
    b_deliverDamage_applyOverTime(presenter, codeSlot, frameTime, kId);
    if (instance.held() && b_increaseHealth_getDuration(codeSlot) <= 0) presenter->detach(kId);
}

void b_increaseHealth_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_increaseHealth), __LINE__);
}
