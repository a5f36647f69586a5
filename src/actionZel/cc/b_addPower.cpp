#include "src/actionZel/cc/b_addPower.h"

#include "platform/shared/core/Wrap.h"
#include "src/DrawingUtil.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_power.h"

namespace {

constexpr std::int32_t kId = 57;
constexpr std::int32_t kPower = 55;

}  // namespace

void b_addPower_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_addPower), __LINE__);
    if (presenter->findCodeSlot(kPower) == -1) presenter->detach(kId);
}

void b_addPower_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_addPower), __LINE__);
    const std::int32_t remaining = b_addPower_getDuration(codeSlot), amount = b_addPower_getAmount(codeSlot);
    const std::int32_t power = presenter->findCodeSlot(kPower);
    if (power == -1) return;
    std::int32_t add = amount;
    if (remaining <= 0) {
        presenter->detach(kId);
    } else {
        // Not capped: a frame longer than the time left overshoots.
        add = WrapMul32(amount, frameTime) / remaining;
        b_addPower_setAmount(codeSlot, WrapSub32(amount, add));
        b_addPower_setDuration(codeSlot, WrapSub32(remaining, frameTime));
    }
    // The maximum first, so a negative maximum gives 0.
    b_power_setPower(power, MaxInt(MinInt(WrapAdd32(b_power_getPower(power), add), b_power_getMaxPower(power)), 0));
}

void b_addPower_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_addPower), __LINE__);
}
