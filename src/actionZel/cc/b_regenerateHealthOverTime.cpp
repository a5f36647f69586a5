#include "src/actionZel/cc/b_regenerateHealthOverTime.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_health.h"

namespace {

constexpr std::int32_t kId = 23;
constexpr std::int32_t kHealth = 20;

}  // namespace

void b_regenerateHealthOverTime_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regenerateHealthOverTime), __LINE__);
    if (presenter->findCodeSlot(kHealth) == -1) presenter->detach(kId);
}

void b_regenerateHealthOverTime_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regenerateHealthOverTime), __LINE__);
    const std::int32_t health = presenter->findCodeSlot(kHealth);
    if (health == -1) return;
    const std::int32_t previous = b_health_getHealth(health);
    if (previous >= b_health_getMaxHealth(health)) return;
    const std::int32_t step = WrapMul32(b_regenerateHealthOverTime_getRate(codeSlot), frameTime) >> 10;
    b_health_setHealth(health, WrapAdd32(previous, step));
    b_health_onChanged(presenter, health, previous);
}

void b_regenerateHealthOverTime_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_regenerateHealthOverTime), __LINE__);
}
