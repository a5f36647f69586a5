#include "src/actionZel/cc/b_szWorldCollidable.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 9;
constexpr std::int32_t kMotion = 5;
constexpr std::int32_t kBlocked = 291, kBlockedX = 168, kBlockedY = 170, kBlocking = 290;
// Further back than the way it came, against its motion: about 2.3 pixels.
constexpr std::int32_t kMargin = 100;

// pos moved back by the velocity over the time, and the margin further.
std::int32_t Back(std::int32_t pos, std::int32_t v, std::int32_t frameTime) {
    pos = WrapSub32(pos, WrapMul32(v, frameTime) >> 10);
    return v < 0 ? WrapAdd32(pos, kMargin) : v > 0 ? WrapSub32(pos, kMargin) : pos;
}

}  // namespace

void b_szWorldCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szWorldCollidable), __LINE__);
    b_szWorldCollidable_setCollider(codeSlot, -1);
}

void b_szWorldCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szWorldCollidable), __LINE__);
    const std::int32_t id = b_szWorldCollidable_getCollider(codeSlot);
    if (id == -1) return;
    // The record is used once, whatever becomes of it; cleared before the
    // events so that a handler may record afresh.
    b_szWorldCollidable_setCollider(codeSlot, -1);
    AZ_Presenter* other = AZ_Presenter::getPresenter(id);
    if (other == nullptr || other->getCharacterType() != b_szWorldCollidable_getPushedType(codeSlot)) return;
    const std::int32_t motion = other->findCodeSlot(kMotion);
    if (motion == -1) return;
    std::int32_t vx, vy;
    AZ_GetCharacterVelocity(other, true, &vx, &vy);
    if (other->isProcessed()) {
        vx = WrapMul32(vx, 2);
        vy = WrapMul32(vy, 2);
    }
    other->setX(Back(other->getX(), vx, frameTime));
    other->setY(Back(other->getY(), vy, frameTime));
    if (vx == vy) {
        b_motion_setVelocityX(motion, 0);
        b_motion_setVelocityY(motion, 0);
    }
    const bool alongX = AZ_Abs(vx) > AZ_Abs(vy);
    if (alongX) b_motion_setVelocityX(motion, 0);
    else b_motion_setVelocityY(motion, 0);
    // A handler may destroy either character (and its presenter go to
    // another): the pushed one hears its second event only while it is
    // still the same, this one its own only while it lives.
    const AZ_HeldCharacter self(presenter), pushed(other);
    if (!AZ_SendEventHolding(self, pushed, kBlocked)) return;
    if (!AZ_SendEventHolding(self, pushed, alongX ? kBlockedX : kBlockedY)) return;
    AZ_SendEventHolding(self, self, kBlocking);
}

void b_szWorldCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szWorldCollidable), __LINE__);
}
