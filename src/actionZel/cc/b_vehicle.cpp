#include "src/actionZel/cc/b_vehicle.h"

#include <algorithm>
#include <cmath>

#include "platform/shared/math/AZ_Math.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_angle.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 38;
constexpr std::int32_t kAngle = 3, kMotion = 5;
constexpr std::int32_t kHalfTurn = 180 << 10, kFullTurn = 360 << 10;

// The square root of v rounded down.
std::int64_t Sqrt64(std::uint64_t v) {
    auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(v)));
    while (r * r > v) --r;
    while ((r + 1) * (r + 1) <= v) ++r;
    return static_cast<std::int64_t>(r);
}

}  // namespace

void b_vehicle_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vehicle), __LINE__);
}

void b_vehicle_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vehicle), __LINE__);
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if (motion == -1) return;
    // Screen y grows downwards: up > 0 rises.
    const std::int64_t vx = b_motion_getVelocityX(motion), up = -std::int64_t{b_motion_getVelocityY(motion)};
    // The length in 64 bits, and the sine held within -1 .. 1, so that no
    // velocity can make it leave the arc sine's range.
    const std::int64_t speed = Sqrt64(static_cast<std::uint64_t>(vx * vx) + static_cast<std::uint64_t>(up * up));
    std::int32_t angle = 0;
    if (speed > 0) {
        angle = AZ_ASin(static_cast<std::int32_t>(std::clamp<std::int64_t>(up * 1024 / speed, -1024, 1024)));
        if (vx < 0) {
            angle = kHalfTurn - angle;
        } else if (up < 0) {
            angle += kFullTurn;
        }
    }
    if (const std::int32_t slot = presenter->findCodeSlot(kAngle); slot != -1) b_angle_setAngle(slot, angle);
}

void b_vehicle_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vehicle), __LINE__);
}
