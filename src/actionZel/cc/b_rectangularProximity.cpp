#include "src/actionZel/cc/b_rectangularProximity.h"

#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 33;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kStart = 0, kNear = 1, kFar = 2;

struct Box {
    std::int32_t left, top, width, height;
};

// A box of the size centred on (x, y).
Box Centred(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    return {static_cast<std::int32_t>(std::int64_t{x} - (width >> 1)),
            static_cast<std::int32_t>(std::int64_t{y} - (height >> 1)), width, height};
}

bool Overlap(const Box& a, const Box& b) {
    return AZ_BoxesOverlap(a.left, a.top, a.width, a.height, b.left, b.top, b.width, b.height) == 1;
}

}  // namespace

void b_rectangularProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rectangularProximity), __LINE__);
    b_rectangularProximity_setState(codeSlot, kStart);
}

void b_rectangularProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rectangularProximity), __LINE__);
    const std::int32_t target = AZ_FindNearestTarget(presenter, b_rectangularProximity_getTargetType(codeSlot), -1);
    if (target == -1) return;
    const AZ_Presenter* other = AZ_Presenter::getPresenter(target);
    const std::int32_t x = presenter->getX(), y = presenter->getY(), tx = other->getX(), ty = other->getY();
    Box targetBox{tx, ty, 0, 0};
    if (const std::int32_t box = other->findCodeSlot(kBoundingBox); box != -1) {
        const std::int32_t w = b_boundingBox_getWidth(box), h = b_boundingBox_getHeight(box);
        targetBox = {static_cast<std::int32_t>(std::int64_t{tx} - (w >> 1)), static_cast<std::int32_t>(std::int64_t{ty} - h),
                     w, h};
    }
    const bool left = presenter->getFacing() == 1;
    const bool front = b_rectangularProximity_getUseFacing(codeSlot) != 0 && ((x < tx && !left) || (x > tx && left));
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    if (box == -1) return;
    const std::int32_t centreY = static_cast<std::int32_t>(std::int64_t{y} - (b_boundingBox_getHeight(box) >> 1));
    const std::int32_t state = b_rectangularProximity_getState(codeSlot);
    AZ_Client* client = AZ_Client::getInstance();
    if ((state == kStart || state == kFar) && Overlap(Centred(x, centreY, b_rectangularProximity_getNearWidth(codeSlot),
                                          b_rectangularProximity_getNearHeight(codeSlot)),
                                  targetBox)) {
        b_rectangularProximity_setState(codeSlot, kNear);
        client->sendEvent(presenter->getId(), front ? 206 : 205);
        return;
    }
    if ((state == kStart || state == kNear) && !Overlap(Centred(x, centreY, b_rectangularProximity_getFarWidth(codeSlot),
                                          b_rectangularProximity_getFarHeight(codeSlot)),
                                  targetBox)) {
        b_rectangularProximity_setState(codeSlot, kFar);
        client->sendEvent(presenter->getId(), front ? 283 : 282);
    }
}

void b_rectangularProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rectangularProximity), __LINE__);
}
