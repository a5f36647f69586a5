#include "src/actionZel/cc/b_trackCharacter.h"

#include <algorithm>
#include <limits>

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 51;
constexpr std::int32_t kMotion = 5, kBoundingBox = 27;
constexpr std::int32_t kRight = 0, kLeft = 1, kIdle = 2;
// A squared distance at or below this is arrival (about 258 units).
constexpr std::int32_t kArrived = 64;

// floor(sqrt(v)).
std::int64_t Sqrt64(std::uint64_t v) {
    std::uint64_t root = 0;
    for (std::uint64_t bit = std::uint64_t{1} << 62; bit != 0; bit >>= 2) {
        if (v >= root + bit) {
            v -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
    }
    return static_cast<std::int64_t>(root);
}

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The other trackers of the holder's type that are tracking: how many, and
// the side of the last one met.
std::int32_t OtherTrackers(const AZ_Presenter* holder, std::int32_t* side) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t type = holder->getCharacterType();
    std::int32_t count = 0;
    for (std::int32_t row = client->findCharacterByType(type); row != -1;
         row = AZ_GetNextCharacterOfType(type, row)) {
        const AZ_Presenter* other = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        const std::int32_t slot = other->findCodeSlot(kId);
        if (other == holder || slot == -1 || b_trackCharacter_getSide(slot) == kIdle) continue;
        ++count;
        *side = b_trackCharacter_getSide(slot);
    }
    return count;
}

}  // namespace

void b_trackCharacter_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_trackCharacter), __LINE__);
    b_trackCharacter_setSide(codeSlot, kIdle);
}

void b_trackCharacter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_trackCharacter), __LINE__);
    std::int32_t otherSide = kIdle;
    const std::int32_t others = OtherTrackers(presenter, &otherSide);
    if (others >= 2) return;
    const std::int32_t id = AZ_FindNearestOfType(presenter, b_trackCharacter_getType(codeSlot), -1);
    if (id == -1) return;
    const AZ_Presenter* target = AZ_Presenter::getPresenter(id);
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox), targetBox = target->findCodeSlot(kBoundingBox);
    if (box == -1 || targetBox == -1) return;
    const std::int64_t x = presenter->getX(), y = presenter->getY(), tx = target->getX();
    const std::int64_t yt = target->getY() + (std::int64_t{b_boundingBox_getHeight(box)} - b_boundingBox_getHeight(targetBox));
    const bool right = x > tx;
    const std::int32_t side = others == 0 ? (right ? kRight : kLeft) : (otherSide == kLeft ? kRight : kLeft);
    b_trackCharacter_setSide(codeSlot, side);
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if (motion == -1) return;
    if (right == (presenter->getFacing() == 0)) {
        if (b_trackCharacter_getTurn(codeSlot) == 0) {
            b_motion_setVelocityX(motion, 0);
            b_motion_setVelocityY(motion, 0);
            return;
        }
        presenter->setFacing(right ? 1 : 0);
    }
    const std::int64_t offset = b_trackCharacter_getOffset(codeSlot);
    const std::int64_t dx = (side == kLeft ? tx - offset : tx + offset) - x, dy = yt - y;
    const std::int32_t d = AZ_GetSquaredLength(Clamp32(dx), Clamp32(dy));
    std::int32_t vx = 0, vy = 0;
    if (d > kArrived) {
        // The root of (dx^2 + dy^2) from the scaled square, in 64 bits: a
        // target far away neither wraps the square nor zeroes the divisor.
        const std::int64_t r = Sqrt64(static_cast<std::uint64_t>(d) << 10);
        if (b_trackCharacter_getMoveX(codeSlot) != 0) vx = Clamp32(dx * b_trackCharacter_getSpeed(codeSlot) / r);
        if (b_trackCharacter_getMoveY(codeSlot) != 0) vy = Clamp32(dy * b_trackCharacter_getSpeed(codeSlot) / r);
    }
    b_motion_setFlipWithFacing(motion, 0);
    b_motion_setVelocityX(motion, vx);
    b_motion_setVelocityY(motion, vy);
}

void b_trackCharacter_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_trackCharacter), __LINE__);
}
