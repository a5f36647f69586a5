#include "src/actionZel/cc/b_motion.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_tileCollidable.h"

namespace {

constexpr std::int32_t kId = 5;
constexpr std::int32_t kTileCollidable = 7;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kWallEvent = 167;

}  // namespace

std::int32_t AZ_SweepTilesX(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t newX) {
    return AZ_Client::getInstance()->getAdapter()->sweepTilesX(-1, 0, x, y, w, h, newX);
}

std::int32_t AZ_GetSweepHitX() { return AZ_Client::getInstance()->getAdapter()->getCollisionX(); }

std::int32_t AZ_GetTileSize() { return 24; }

void AZ_GetCharacterVelocity(const AZ_Presenter* presenter, bool exactlyOne, std::int32_t* vx, std::int32_t* vy) {
    *vx = 0;
    *vy = 0;
    const std::int32_t motion = presenter->findCodeSlot(kId);
    if (motion == -1) return;
    *vx = b_motion_getVelocityX(motion);
    *vy = b_motion_getVelocityY(motion);
    const std::int32_t flip = b_motion_getFlipWithFacing(motion);
    if (presenter->getFacing() == 1 && (exactlyOne ? flip == 1 : flip != 0)) *vx = WrapNeg32(*vx);
}

void b_motion_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_motion), __LINE__);
}

void b_motion_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_motion), __LINE__);
    if (frameTime == 0) return;
    std::int32_t dx = WrapMul32(b_motion_getVelocityX(codeSlot), frameTime) >> 10;
    const std::int32_t dy = WrapMul32(b_motion_getVelocityY(codeSlot), frameTime) >> 10;
    if (b_motion_getFlipWithFacing(codeSlot) != 0 && presenter->getFacing() == 1) dx = WrapNeg32(dx);
    const std::int32_t x = presenter->getX(), y = presenter->getY();
    std::int32_t newX = WrapAdd32(x, dx);
    const std::int32_t newY = WrapAdd32(y, dy);

    const std::int32_t tiles = presenter->findCodeSlot(kTileCollidable);
    if (tiles != -1 && b_tileCollidable_getStatus(tiles) == 0 && dx != 0) {
        std::int32_t width = 0, height = 0;
        const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
        if (box != -1) {
            width = b_boundingBox_getWidth(box);
            height = b_boundingBox_getHeight(box);
        }
        if (AZ_SweepTilesX(x, y, width, height, newX) != 0) {
            // The character stands at the wall before the wall event, so
            // that the event's handler sees it there and whatever the
            // handler does (moving it, attaching motion anew, destroying it)
            // is not undone after it.
            b_motion_setVelocityX(codeSlot, 0);
            presenter->setX(AZ_GetSweepHitX());
            presenter->setY(newY);
            AZ_Client::getInstance()->sendEvent(presenter->getId(), kWallEvent);
            return;
        }
    }
    presenter->setX(newX);
    presenter->setY(newY);
}

void b_motion_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_motion), __LINE__);
}
