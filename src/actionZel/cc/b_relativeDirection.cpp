#include "src/actionZel/cc/b_relativeDirection.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_bBoxCollidable.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_directionalProximity.h"
#include "src/actionZel/cc/b_szCollidable.h"

namespace {

constexpr std::int32_t kDirection = 42;
constexpr std::int32_t kBoxCollidable = 6, kWorldCollidable = 9, kSpriteCollidable = 10, kProximity = 18;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kBehind = 171, kInFront = 172, kOnLeft = 324, kOnRight = 325, kBelow = 406, kAbove = 407;

// The partner that the source behaviour of the holder names, -1 none.
std::int32_t PartnerFrom(const AZ_Presenter* holder, std::int32_t source) {
    if (source != kBoxCollidable && source != kWorldCollidable && source != kSpriteCollidable &&
        source != kProximity) {
        return -1;
    }
    if (holder->findCodeSlot(source) == -1) return -1;
    if (source == kBoxCollidable) return b_bBoxCollidable_getCollider(holder->findCodeSlot(source));
    if (source == kProximity) return b_directionalProximity_getTarget(holder->findCodeSlot(source));
    // b_szWorldCollidable's hits are recorded by b_szCollidable: without
    // it there is no partner.
    const std::int32_t sprite = holder->findCodeSlot(kSpriteCollidable);
    return sprite == -1 ? -1 : b_szCollidable_getCollider(sprite);
}

}  // namespace

bool AZ_RaiseRelativeDirection(const AZ_Presenter* h, const AZ_Presenter* o) {
    const std::int32_t hx = h->getX(), ox = o->getX();
    const bool right = hx < ox, hLeft = h->getFacing() == 1, oLeft = o->getFacing() == 1;
    std::int32_t height = 0;
    if (const std::int32_t box = h->findCodeSlot(kBoundingBox); box != -1) {
        const std::int64_t half = b_boundingBox_getWidth(box) >> 1;
        const std::int32_t oBox = o->findCodeSlot(kBoundingBox);
        const std::int64_t oHalfHeight = oBox == -1 ? 0 : b_boundingBox_getHeight(oBox) >> 1;
        if (ox >= hx - half && ox <= hx + half) height = o->getY() - oHalfHeight < h->getY() ? kAbove : kBelow;
    }
    const std::int32_t hFront = hLeft != right ? kInFront : kBehind, hSide = ox < hx ? kOnLeft : kOnRight;
    const std::int32_t oFront = oLeft == right ? kInFront : kBehind, oSide = hx < ox ? kOnLeft : kOnRight;
    const AZ_HeldCharacter self(h), other(o);
    if (height != 0 && !AZ_SendEventHolding(self, other, height)) return false;
    return AZ_SendEventHolding(self, self, hFront) && AZ_SendEventHolding(self, self, hSide) &&
           AZ_SendEventHolding(self, other, oFront) && AZ_SendEventHolding(self, other, oSide);
}

void b_relativeDirection_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kDirection, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeDirection), __LINE__);
    b_relativeDirection_setTarget(codeSlot, PartnerFrom(presenter, b_relativeDirection_getSourceBehavior(codeSlot)));
}

void b_relativeDirection_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kDirection, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeDirection), __LINE__);
    const std::int32_t target = b_relativeDirection_getTarget(codeSlot);
    presenter->detach(kDirection);
    if (target == -1 || AZ_Client::getInstance()->getActiveIndex(target) == -1) return;
    AZ_RaiseRelativeDirection(presenter, AZ_Presenter::getPresenter(target));
}

void b_relativeDirection_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kDirection, presenter, codeSlot, AZ_UNIT_SOURCE(b_relativeDirection), __LINE__);
}

