#include "src/actionZel/cc/b_szRotatable.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_angle.h"
#include "src/actionZel/cc/v_sz.h"

namespace {

constexpr std::int32_t kId = 13;
constexpr std::int32_t kAngle = 3, kSprite = 86;
constexpr std::int64_t kFullTurn = 360 << 10;

}  // namespace

void b_szRotatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szRotatable), __LINE__);
    const std::int32_t sprite = presenter->getCodeSlot(kSprite);
    if (sprite == -1) return;
    // Always looping, never mirrored.
    AZ_Client::getInstance()->getSpritePool()->setAnimation(v_sz_getPoolId(sprite),
                                                            b_szRotatable_getAnimation(codeSlot), 0, 1);
}

void b_szRotatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szRotatable), __LINE__);
    const std::int32_t angle = presenter->findCodeSlot(kAngle), sprite = presenter->getCodeSlot(kSprite);
    if (angle == -1 || sprite == -1) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t id = v_sz_getPoolId(sprite);
    const std::int64_t n = pool->getFrameCount(id);
    // No frames: nothing to choose. An angle outside one turn is brought
    // into it first, so the frame stays within 0 .. n - 1.
    if (n <= 0) return;
    std::int64_t a = b_angle_getAngle(angle) % kFullTurn;
    if (a < 0) a += kFullTurn;
    // Each frame covers its own angle less half a step up to plus half.
    a += kFullTurn / (2 * n);
    if (a >= kFullTurn) a -= kFullTurn;
    pool->setFrame(id, static_cast<std::int32_t>(n * a / kFullTurn));
}

void b_szRotatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szRotatable), __LINE__);
}
