#include "src/actionZel/cc/b_gravity.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 8;
constexpr std::int32_t kMotion = 5;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kLandEvents[] = {177, 167, 170};
constexpr std::int32_t kFallEvent = 179;
constexpr std::int32_t kFastEvent = 178;
constexpr std::int32_t kTerminalEvent = 180;

}  // namespace

void b_gravity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_gravity), __LINE__);
}

void b_gravity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_gravity), __LINE__);
    // Without b_motion (or, further down, b_boundingBox) the accessor's check
    // stops the program: the character must carry both.
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    const std::int32_t before = b_motion_getVelocityY(motion);
    const std::int32_t acceleration = b_gravity_getAcceleration(codeSlot);
    if (acceleration == 0) return;
    const std::int32_t terminal = b_gravity_getTerminalVelocity(codeSlot);
    std::int32_t v = WrapAdd32(before, WrapMul32(acceleration, frameTime) >> 10);
    if (v > terminal) v = terminal;

    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    const std::int32_t width = b_boundingBox_getWidth(box), height = b_boundingBox_getHeight(box);
    const std::int32_t x = presenter->getX(), y = presenter->getY();
    const std::int32_t probeY = WrapAdd32(WrapAdd32(y, WrapMul32(v, frameTime) >> 10), 1024 / AZ_GetTileSize());
    AZ_Client* client = AZ_Client::getInstance();
    AZ_Adapter* adapter = client->getAdapter();
    // Each event's handler may detach or attach afresh this unit and
    // b_motion, or destroy the character: the unit goes on while its
    // character lives (it writes no words of its own), and finds b_motion
    // again for each write.
    const AZ_HeldCharacter self(presenter);
    const auto raise = [&](std::int32_t event) { return AZ_SendEventHolding(self, self, event); };
    const auto setVelocity = [&](std::int32_t value) {
        if (const std::int32_t slot = presenter->findCodeSlot(kMotion); slot != -1) b_motion_setVelocityY(slot, value);
    };
    if (adapter->testMapCollision(x, y, width, height, probeY) != 0) {
        presenter->setY(adapter->getCollisionY());
        if (before == 0) return;  // resting: re-snapped, nothing to tell
        v = 0;
        for (const std::int32_t event : kLandEvents) {
            if (!raise(event)) return;
        }
    }
    setVelocity(v);
    if (before < 1 && v > 0 && !raise(kFallEvent)) return;
    // Both tests compare this update's v, not what the first one wrote.
    const std::int32_t fast = (terminal >> 1) + (terminal >> 2);
    if (before < fast && v >= fast) {
        setVelocity(terminal);
        if (!raise(kFastEvent)) return;
    }
    if (before < terminal && v >= terminal) {
        setVelocity(terminal);
        raise(kTerminalEvent);
    }
}

void b_gravity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_gravity), __LINE__);
}
