#include "src/actionZel/cc/b_swingOnGrapple.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"
#include "platform/shared/math/AZ_Math.h"
#include "src/DrawingUtil.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_fireGrapple.h"
#include "src/actionZel/cc/b_motion.h"

namespace {

constexpr std::int32_t kId = 37;
constexpr std::int32_t kMotion = 5, kFireGrapple = 36;
constexpr std::int32_t kSetUp = 1, kDriven = 2, kPendulum = 3;
constexpr std::int32_t kReleased = 295;
// Raised forward / backward across the entry and exit marks, and at the turns.
constexpr std::int32_t kForwardEntry = 298, kForwardExit = 296, kTurnedForward = 297;
constexpr std::int32_t kBackwardEntry = 292, kBackwardExit = 294, kTurnedBack = 293;
constexpr std::int32_t kDown = 270 << 10, kMinAngle = 190 << 10, kMaxAngle = 350 << 10;
constexpr std::int32_t kMarkLow = 240 << 10, kMarkHigh = 300 << 10;
constexpr std::int32_t kMaxReach = 40960;

// 295, then the unit leaves, unless the handler already took it away (or
// attached it afresh, which it keeps).
void Stop(AZ_Presenter* presenter, std::int32_t codeSlot) {
    const AZ_HeldInstance instance(codeSlot);
    AZ_Client::getInstance()->sendEvent(presenter->getId(), kReleased);
    if (instance.held()) presenter->detach(kId);
}

std::int32_t Scaled(std::int32_t value, std::int32_t frameTime) { return WrapMul32(value, frameTime) >> 10; }

// The hook's presenter while the character holds b_fireGrapple naming an
// active character, else null.
const AZ_Presenter* FindHook(const AZ_Presenter* presenter) {
    const std::int32_t fire = presenter->findCodeSlot(kFireGrapple);
    if (fire == -1 || AZ_GetHookRow(fire) == -1) return nullptr;
    return AZ_Presenter::getPresenter(b_fireGrapple_getHookId(fire));
}

void SetUp(AZ_Presenter* presenter, std::int32_t codeSlot) {
    const AZ_Presenter* hook = FindHook(presenter);
    if (hook == nullptr) return;  // waits for its hook
    const std::int32_t hx = hook->getX(), hy = hook->getY(), px = presenter->getX(), py = presenter->getY();
    if (static_cast<std::int64_t>(AZ_Abs(WrapSub32(hx, px))) + AZ_Abs(WrapSub32(py, hy)) > kMaxReach) {
        Stop(presenter, codeSlot);
        return;
    }
    const std::int32_t rope = AZ_Distance(px, py, hx, hy);
    b_swingOnGrapple_setRopeLength(codeSlot, rope);
    // A character on the hook itself hangs straight below it.
    const std::int32_t a0 = rope == 0 ? 0 : AZ_ASin(WrapMul32(WrapSub32(hx, px), 1024) / rope);
    std::int32_t release = WrapMul32(b_swingOnGrapple_getReleaseAngle(codeSlot), 1024);
    std::int32_t speed = WrapMul32(b_swingOnGrapple_getSpeed(codeSlot), 1024);
    if (presenter->getFacing() == 1) {
        speed = WrapNeg32(speed);
        release = WrapSub32(360 << 10, release);
    } else {
        release = WrapAdd32(release, 180 << 10);
    }
    b_swingOnGrapple_setReleaseAngle(codeSlot, release);
    b_swingOnGrapple_setSpeed(codeSlot, speed);
    b_swingOnGrapple_setAngle(codeSlot, WrapSub32(kDown, a0));
    b_swingOnGrapple_setAngularSpeed(codeSlot, 0);
    b_swingOnGrapple_setState(codeSlot, kDriven);
}

bool Forward(std::int32_t w, std::int32_t speed) { return (w > 0 && speed > 0) || (w < 0 && speed < 0); }

// The event of a step from old to angle, 0 none.
std::int32_t ChooseEvent(std::int32_t old, std::int32_t angle, std::int32_t w, std::int32_t previous,
                         std::int32_t speed) {
    const bool up = speed >= 0;  // the forward direction increases the angle
    const std::int32_t entry = up ? kMarkLow : kMarkHigh, exit = up ? kMarkHigh : kMarkLow;
    const auto increasing = [&](std::int32_t m) { return old <= m && m < angle; };
    const auto decreasing = [&](std::int32_t m) { return old >= m && m > angle; };
    const auto forward = [&](std::int32_t m) { return up ? increasing(m) : decreasing(m); };
    const auto backward = [&](std::int32_t m) { return up ? decreasing(m) : increasing(m); };
    if (Forward(w, speed)) {
        if (forward(entry)) return kForwardEntry;
        if (forward(exit)) return kForwardExit;
        return Forward(previous, speed) ? 0 : kTurnedForward;
    }
    if (backward(entry)) return kBackwardEntry;
    if (backward(exit)) return kBackwardExit;
    return Forward(previous, speed) ? kTurnedBack : 0;
}

void Swing(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t state, std::int32_t frameTime) {
    if (FindHook(presenter) == nullptr) {
        Stop(presenter, codeSlot);
        return;
    }
    std::int32_t angle = b_swingOnGrapple_getAngle(codeSlot), rope = b_swingOnGrapple_getRopeLength(codeSlot);
    const std::int32_t speed = b_swingOnGrapple_getSpeed(codeSlot);
    const std::int32_t release = b_swingOnGrapple_getReleaseAngle(codeSlot);
    std::int32_t w = speed, previous = speed;
    if (state == kPendulum) {
        previous = b_swingOnGrapple_getAngularSpeed(codeSlot);
        const std::int32_t pull = Scaled(AZ_Abs(WrapSub32(kDown, angle)), frameTime);
        w = angle < kDown ? WrapAdd32(previous, pull) : WrapSub32(previous, pull);
        b_swingOnGrapple_setAngularSpeed(codeSlot, w);
    }
    const std::int32_t old = angle;
    angle = ClampInt(WrapAdd32(angle, Scaled(w, frameTime)), kMinAngle, kMaxAngle);
    // The event's handler may detach this unit, attach it afresh or destroy
    // the character: the step goes on while the character lives, and
    // writes the unit's words only while it holds the same instance.
    const AZ_HeldCharacter self(presenter);
    const AZ_HeldInstance instance(codeSlot);
    const std::int32_t event = ChooseEvent(old, angle, w, previous, speed);
    if (event != 0 && !AZ_SendEventHolding(self, self, event)) return;
    const bool own = instance.held();
    // The hook is read again: the character follows a moving hook.
    const AZ_Presenter* hook = FindHook(presenter);
    const std::int32_t hx = hook != nullptr ? hook->getX() : presenter->getX();
    const std::int32_t hy = hook != nullptr ? hook->getY() : presenter->getY();
    const std::int32_t x = WrapAdd32(hx, WrapMul32(AZ_Cos(angle), rope) >> 10);
    const std::int32_t y = WrapSub32(hy, WrapMul32(AZ_Sin(angle), rope) >> 10);
    // Climbing: an upward velocity shortens the rope for the next update,
    // never past the hook.
    const std::int32_t motion = presenter->findCodeSlot(kMotion);
    if (motion != -1) {
        const std::int32_t vy = b_motion_getVelocityY(motion);
        if (vy < 0) rope = std::max(WrapAdd32(rope, Scaled(vy, frameTime)), 0);
        if (own) b_swingOnGrapple_setRopeLength(codeSlot, rope);
    }
    if (hook != nullptr) {
        presenter->setX(x);
        presenter->setY(y);
    }
    if (own) b_swingOnGrapple_setAngle(codeSlot, angle);
    if (state != kDriven || !((speed < 0 && angle <= release) || (speed > 0 && angle > release))) return;
    if (own) {
        b_swingOnGrapple_setState(codeSlot, kPendulum);
        if (motion != -1) b_swingOnGrapple_setAngularSpeed(codeSlot, speed >> 1);
    }
    AZ_Client::getInstance()->sendEvent(presenter->getId(), kReleased);
}

}  // namespace

void b_swingOnGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_swingOnGrapple), __LINE__);
    b_swingOnGrapple_setState(codeSlot, kSetUp);
}

void b_swingOnGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_swingOnGrapple), __LINE__);
    const std::int32_t state = b_swingOnGrapple_getState(codeSlot);
    if (state == kSetUp) SetUp(presenter, codeSlot);
    if (state == kDriven || state == kPendulum) Swing(presenter, codeSlot, state, frameTime);
}

void b_swingOnGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_swingOnGrapple), __LINE__);
}
