#include "src/actionZel/cc/b_child.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 2;
constexpr std::int32_t kMotion = 5;
constexpr std::int32_t kViewBottomCentre = -2;
constexpr std::int32_t kViewOrigin = -3;

}  // namespace

void b_child_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_child), __LINE__);
}

void b_child_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_child), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t parent = b_child_getParent(codeSlot);
    const bool onView = parent == kViewBottomCentre || parent == kViewOrigin;
    if (!onView && client->getActiveIndex(parent) == -1) return;

    std::int32_t anchorX, anchorY;
    std::uint8_t facing = 0;
    if (onView) {
        const Camera* camera = client->getCamera();
        std::int32_t x = camera->GetX(), y = camera->GetY();
        if (parent == kViewBottomCentre) {
            x += camera->GetViewWidth() >> 1;
            y += camera->GetViewHeight();
        }
        anchorX = AZ_Adapter::pixelToWorld(x);
        anchorY = AZ_Adapter::pixelToWorld(y);
    } else {
        const AZ_Presenter* anchor = AZ_Presenter::getPresenter(parent);
        anchorX = anchor->getX();
        anchorY = anchor->getY();
        facing = anchor->getFacing();
    }

    std::int32_t offsetX = b_child_getOffsetX(codeSlot), offsetY = b_child_getOffsetY(codeSlot);
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if (motion != -1) {
        std::int32_t vx = b_motion_getVelocityX(motion);
        if (b_motion_getFlipWithFacing(motion) != 0 && presenter->getFacing() == 1) vx = WrapNeg32(vx);
        offsetX = WrapAdd32(offsetX, WrapMul32(vx, frameTime) >> 10);
        offsetY = WrapAdd32(offsetY, WrapMul32(b_motion_getVelocityY(motion), frameTime) >> 10);
        b_child_setOffsetX(codeSlot, offsetX);
        b_child_setOffsetY(codeSlot, offsetY);
    }
    if (b_child_getFollowFacing(codeSlot) == 1) {
        // Mirrored for the placement only: word 1 keeps the offset as given.
        if (facing == 1) offsetX = WrapNeg32(offsetX);
        presenter->setFacing(facing);
    }
    presenter->setX(WrapAdd32(anchorX, offsetX));
    presenter->setY(WrapAdd32(anchorY, offsetY));
}

void b_child_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_child), __LINE__);
}
