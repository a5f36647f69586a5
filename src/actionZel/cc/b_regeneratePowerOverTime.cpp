#include "src/actionZel/cc/b_regeneratePowerOverTime.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_power.h"

namespace {

constexpr std::int32_t kId = 59;
constexpr std::int32_t kPower = 55;

}  // namespace

void b_regeneratePowerOverTime_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regeneratePowerOverTime), __LINE__);
}

void b_regeneratePowerOverTime_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regeneratePowerOverTime), __LINE__);
    const std::int32_t power = presenter->findCodeSlot(kPower);
    if (power == -1) return;
    const std::int32_t step = WrapMul32(b_regeneratePowerOverTime_getRate(codeSlot), frameTime) >> 10;
    b_power_setPower(power, WrapAdd32(b_power_getPower(power), step));
}

void b_regeneratePowerOverTime_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regeneratePowerOverTime), __LINE__);
}
