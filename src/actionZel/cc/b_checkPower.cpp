#include "src/actionZel/cc/b_checkPower.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_power.h"

namespace {

constexpr std::int32_t kId = 58;
constexpr std::int32_t kPower = 55;
constexpr std::int32_t kEnough = 333, kTooLittle = 334;

}  // namespace

void b_checkPower_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_checkPower), __LINE__);
    const std::int32_t power = presenter->findCodeSlot(kPower);
    if (power == -1) return;
    const std::int32_t have = b_power_getPower(power), needed = b_checkPower_getThreshold(codeSlot);
    // Gone before the event, so its handler may attach the test again.
    presenter->detach(kId);
    AZ_Client::getInstance()->sendEvent(presenter->getId(), needed <= have ? kEnough : kTooLittle);
}

void b_checkPower_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_checkPower), __LINE__);
}

void b_checkPower_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_checkPower), __LINE__);
}
