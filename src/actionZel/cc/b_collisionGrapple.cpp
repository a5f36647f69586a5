#include "src/actionZel/cc/b_collisionGrapple.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_child.h"
#include "src/actionZel/cc/b_fireGrapple.h"

namespace {

constexpr std::int32_t kId = 53;
constexpr std::int32_t kChild = 2, kBoundingBox = 27, kFireGrapple = 36, kTiledSprite = 89;
constexpr std::int32_t kThrowerType = 3;
constexpr std::int32_t kCaught = 190, kTooLong = 328;
constexpr std::int32_t kStep = 4096, kProbeSize = 512, kHitBelowHook = 2048;

// The first y above the thrower's top, up to the limit, where the map
// holds something the hook may catch, or -1. Word 3 follows the hook
// through the probes that find nothing.
std::int32_t Search(std::int32_t codeSlot, std::int32_t x, std::int32_t top, std::int32_t hookY) {
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    const std::int64_t limit = b_collisionGrapple_getMaxLength(codeSlot);
    for (std::int64_t d = kStep;;) {
        const bool last = d == limit;
        const std::int32_t probeY = static_cast<std::int32_t>(std::max<std::int64_t>(top - d, 0));
        if (adapter->testMapCollision(x, probeY, kProbeSize, kProbeSize, top) != 0) {
            const std::int32_t hit = adapter->getCollisionY();
            // A hit far below a hook that has risen past it is behind it.
            if (!(WrapSub32(hit, hookY) > kHitBelowHook && b_collisionGrapple_getLastHookY(codeSlot) > hit)) return hit;
        }
        b_collisionGrapple_setLastHookY(codeSlot, hookY);
        d = std::min(d + kStep, limit);
        if (last) return -1;
    }
}

}  // namespace

void b_collisionGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_collisionGrapple), __LINE__);
    b_collisionGrapple_setLastHookY(codeSlot, 0);
}

void b_collisionGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_collisionGrapple), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t throwerId = client->getPresenterOfRow(client->findCharacterByType(kThrowerType));
    if (throwerId == -1) return;
    const AZ_Presenter* thrower = AZ_Presenter::getPresenter(throwerId);
    // The first live hook is the thrower's.
    const std::int32_t fire = thrower->findCodeSlot(kFireGrapple);
    if (fire != -1 && AZ_GetHookRow(fire) == -1) b_fireGrapple_setHookId(fire, presenter->getId());

    const std::int32_t child = presenter->findCodeSlot(kChild);
    if (child == -1) return;
    const std::int32_t attachY = WrapAdd32(thrower->getY(), b_child_getOffsetY(child));
    const std::int32_t hookY = presenter->getY();
    if (presenter->getCodeSlot(kTiledSprite) == -1) return;
    presenter->setX(thrower->getX());
    if (WrapSub32(attachY, hookY) > b_collisionGrapple_getMaxLength(codeSlot)) {
        client->sendEvent(presenter->getId(), kTooLong);
        return;
    }
    // A thrower without a box counts as a point.
    const std::int32_t box = thrower->findCodeSlot(kBoundingBox);
    const std::int32_t top = WrapSub32(thrower->getY(), box != -1 ? b_boundingBox_getHeight(box) : 0);
    if (top <= kStep) return;
    const std::int32_t hit = Search(codeSlot, thrower->getX(), top, hookY);
    if (hit == -1) return;
    b_collisionGrapple_setHitY(codeSlot, hit);
    if (presenter->getY() >= hit) return;
    presenter->setY(hit);
    client->sendEvent(presenter->getId(), kCaught);
}

void b_collisionGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_collisionGrapple), __LINE__);
}
