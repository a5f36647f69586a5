#include "src/actionZel/cc/b_bBoxCollidable.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 6;
constexpr std::int32_t kMotion = 5, kBoundingBox = 27;
constexpr std::int32_t kHitOther = 166, kHitSelf = 165, kCollided = 169;
constexpr std::int32_t kGap = 128;

// The presenter's box when it has one of at least 1 x 1.
bool BoxOf(const AZ_Presenter* presenter, std::int32_t* w, std::int32_t* h) {
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    if (box == -1) return false;
    *w = b_boundingBox_getWidth(box);
    *h = b_boundingBox_getHeight(box);
    return *w >= 1 && *h >= 1;
}

// The distance that puts a moving coordinate `gap` units clear of the
// other's on the side it came from; pos is moved away from other.
std::int32_t PushedOut(std::int32_t pos, std::int32_t other, std::int32_t reach) {
    const std::int32_t d = WrapAdd32(WrapSub32(reach, AZ_Abs(WrapSub32(pos, other))), kGap);
    return pos > other ? WrapAdd32(pos, d) : WrapSub32(pos, d);
}

}  // namespace

void b_bBoxCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_bBoxCollidable), __LINE__);
}

void b_bBoxCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_bBoxCollidable), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    std::int32_t x = presenter->getX(), y = presenter->getY(), vx, vy, w, h;
    AZ_GetCharacterVelocity(presenter, false, &vx, &vy);
    if (!BoxOf(presenter, &w, &h)) return;
    b_bBoxCollidable_setCollider(codeSlot, -1);

    const std::int32_t type = b_bBoxCollidable_getTargetType(codeSlot);
    AZ_Presenter* hit = nullptr;
    std::int32_t ox = 0, oy = 0, ow = 0;
    for (std::int32_t row = client->findCharacterByType(type); row != AZ_GetInvalidId();
         row = AZ_GetNextCharacterOfType(type, row)) {
        AZ_Presenter* other = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        std::int32_t oh, ovx, ovy;
        if (other == presenter || !BoxOf(other, &ow, &oh)) continue;
        ox = other->getX();
        oy = other->getY();
        AZ_GetCharacterVelocity(other, false, &ovx, &ovy);
        const std::int32_t c = AZ_SweptBoxContactTime(WrapSub32(x, w >> 1), WrapSub32(y, h), w, h,
                                                      WrapSub32(ox, ow >> 1), WrapSub32(oy, oh), ow, oh, vx, vy,
                                                      ovx, ovy);
        if (c >= 0 && c < frameTime) {
            hit = other;
            break;
        }
    }
    if (hit == nullptr) return;
    // Each handler may detach or attach afresh this unit, or destroy either
    // character: the unit goes on while its own character lives, records
    // the collider only in the instance it holds and only while that is
    // still the character hit (else it stays -1), raises the collider's
    // event likewise, and finds b_motion again after the events.
    const AZ_HeldCharacter self(presenter), collider(hit);
    const AZ_HeldInstance instance(codeSlot);
    const std::int32_t hitType = hit->getCharacterType();
    if (!AZ_SendEventHolding(self, collider, kHitOther) || !AZ_SendEventHolding(self, self, kHitSelf)) return;
    if (instance.held() && collider.held()) b_bBoxCollidable_setCollider(codeSlot, collider.getId());
    if (!AZ_SendEventHolding(self, collider, kCollided)) return;

    // Only the owner moves, and only when it was heading for the collider.
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if ((vx > 0 && x <= ox) || (vx < 0 && x >= ox)) {
        if (motion != -1) b_motion_setVelocityX(motion, 0);
        x = PushedOut(x, ox, WrapAdd32(ow, w) >> 1);
        presenter->setX(x);
    }
    if (presenter->getCharacterType() == 2 && hitType == 14 && ((vy > 0 && y <= oy) || (vy < 0 && y >= oy))) {
        if (motion != -1) b_motion_setVelocityY(motion, 0);
        presenter->setY(PushedOut(y, oy, h));
    }
    client->sendEvent(presenter->getId(), kCollided);
}

void b_bBoxCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_bBoxCollidable), __LINE__);
}
