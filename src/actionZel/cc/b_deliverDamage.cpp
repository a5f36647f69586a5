#include "src/actionZel/cc/b_deliverDamage.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_armor.h"
#include "src/actionZel/cc/b_health.h"
#include "src/actionZel/cc/b_increaseHealth.h"

namespace {

constexpr std::int32_t kId = 24;
constexpr std::int32_t kHealth = 20, kArmor = 21;

}  // namespace

void b_deliverDamage_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_deliverDamage), __LINE__);
    if (presenter->findCodeSlot(kHealth) == -1) {
        presenter->detach(kId);
        return;
    }
    // The armour at this moment: a later change does not reach this damage.
    if (const std::int32_t armor = presenter->findCodeSlot(kArmor); armor != -1) {
        const std::int32_t amount = b_deliverDamage_getAmount(codeSlot);
        b_deliverDamage_setAmount(codeSlot, WrapSub32(amount, WrapMul32(amount, b_armor_getArmor(armor)) >> 10));
    }
}

void b_deliverDamage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_deliverDamage), __LINE__);
    b_deliverDamage_applyOverTime(presenter, codeSlot, frameTime, kId);
}

void b_deliverDamage_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_deliverDamage), __LINE__);
}

void b_deliverDamage_applyOverTime(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime,
                                   std::int32_t codeId) {
    const bool damage = codeId == kId;
    const std::int32_t duration =
        damage ? b_deliverDamage_getDuration(codeSlot) : b_increaseHealth_getDuration(codeSlot);
    const std::int32_t amount = damage ? b_deliverDamage_getAmount(codeSlot) : b_increaseHealth_getAmount(codeSlot);
    const std::int32_t health = presenter->findCodeSlot(kHealth);
    if (health == -1) return;
    const std::int32_t previous = b_health_getHealth(health);
    std::int32_t step = amount;
    if (duration <= 0) {
        // b_increaseHealth is removed by its own update.
        if (damage) presenter->detach(kId);
    } else {
        // Not capped: a frame longer than the time left overshoots, and the
        // amount left turns negative.
        step = WrapMul32(amount, frameTime) / duration;
        const std::int32_t left = WrapSub32(amount, step), time = WrapSub32(duration, frameTime);
        if (damage) {
            b_deliverDamage_setAmount(codeSlot, left);
            b_deliverDamage_setDuration(codeSlot, time);
        } else {
            b_increaseHealth_setAmount(codeSlot, left);
            b_increaseHealth_setDuration(codeSlot, time);
        }
    }
    b_health_setHealth(health, WrapSub32(previous, step));
    b_health_onChanged(presenter, health, previous);
}
