#include "src/actionZel/cc/b_health.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 20;
constexpr std::int32_t kFull = 200, kEmpty = 199;

// The percentage bands, from the top; the last is entered only from above.
struct Band {
    std::int32_t low, high, event;
};
constexpr Band kBands[] = {{76, 90, 198}, {67, 75, 197}, {51, 66, 196}, {34, 50, 195}, {26, 33, 194}, {11, 25, 193}};
constexpr Band kLowBand = {1, 10, 192};

bool In(const Band& band, std::int32_t percent) { return percent >= band.low && percent <= band.high; }

}  // namespace

void b_health_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_health), __LINE__);
}

void b_health_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_health), __LINE__);
}

void b_health_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_health), __LINE__);
}

void b_health_onChanged(AZ_Presenter* presenter, std::int32_t healthSlot, std::int32_t previous) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t health = b_health_getHealth(healthSlot), max = b_health_getMaxHealth(healthSlot);
    if (health >= max) {
        b_health_setHealth(healthSlot, max);
        client->sendEvent(presenter->getId(), kFull);
        return;
    }
    if (health <= 0) {
        b_health_setHealth(healthSlot, 0);
        client->sendEvent(presenter->getId(), kEmpty);
        return;
    }
    // Here 0 < health < max, so max > 1.
    const std::int32_t now = WrapMul32(health, 100) / max, before = WrapMul32(previous, 100) / max;
    for (const Band& band : kBands) {
        if (!In(band, now)) continue;
        if (!In(band, before)) client->sendEvent(presenter->getId(), band.event);
        return;
    }
    if (In(kLowBand, now) && before > kLowBand.high) client->sendEvent(presenter->getId(), kLowBand.event);
}
