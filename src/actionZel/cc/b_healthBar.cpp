#include "src/actionZel/cc/b_healthBar.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_health.h"
#include "src/actionZel/cc/v_bar.h"

namespace {

constexpr std::int32_t kId = 26;
constexpr std::int32_t kHealth = 20, kBoundingBox = 27, kBar = 83;
constexpr std::int32_t kWidth = 26, kHeight = 6, kInset = 2, kEnds = 4;
// Above the box's top, or above the position without a box.
constexpr std::int32_t kAboveBox = 13, kAboveFeet = 17;

}  // namespace

void b_healthBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_healthBar), __LINE__);
    const std::int32_t bar = presenter->getCodeSlot(kBar);
    if (bar == -1) {
        presenter->detach(kId);
        return;
    }
    if (presenter->findCodeSlot(kHealth) == -1) return;
    v_bar_setWidth(bar, kWidth);
    v_bar_setHeight(bar, kHeight);
    v_bar_setInsetX(bar, kInset);
    v_bar_setInsetY(bar, kInset);
    v_bar_setBackColor(bar, static_cast<std::int32_t>(AZ_MakeColor(0, 0, 0)));
    v_bar_setOffsetX(bar, -(kWidth >> 1));
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    v_bar_setOffsetY(bar, box != -1 ? -Camera::WorldToPixel(b_boundingBox_getHeight(box)) - kAboveBox : -kAboveFeet);
}

void b_healthBar_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_healthBar), __LINE__);
    const std::int32_t bar = presenter->getCodeSlot(kBar), health = presenter->findCodeSlot(kHealth);
    if (bar == -1 || health == -1) return;
    const std::int32_t value = b_health_getHealth(health), max = b_health_getMaxHealth(health);
    // A maximum of 0 or less has no share to show.
    const std::int32_t percent = max > 0 ? WrapMul32(value, 100) / max : 0;
    if (value <= 0) {
        presenter->detach(kId);
        presenter->detachVisual(kBar);
        return;
    }
    const std::uint32_t colour =
        percent < 33 ? AZ_MakeColor(222, 73, 0) : percent < 66 ? AZ_MakeColor(255, 138, 0) : AZ_MakeColor(255, 192, 0);
    v_bar_setFill(bar, Shl32(percent, 10));
    v_bar_setFillColor(bar, static_cast<std::int32_t>(colour));
    if (b_healthBar_getShrink(codeSlot) != 0) {
        const std::int32_t width = kEnds + WrapMul32(kWidth - kEnds, percent) / 100;
        v_bar_setOffsetX(bar, -(width >> 1));
        v_bar_setWidth(bar, width);
    }
}

void b_healthBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_healthBar), __LINE__);
}
