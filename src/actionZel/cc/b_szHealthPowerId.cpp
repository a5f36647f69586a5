#include "src/actionZel/cc/b_szHealthPowerId.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_hudBar.h"

namespace {

constexpr std::int32_t kId = 56;
constexpr std::int32_t kHudBar = 85;

}  // namespace

void b_szHealthPowerId_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szHealthPowerId), __LINE__);
    const std::int32_t bar = presenter->getCodeSlot(kHudBar);
    if (bar == -1) return;
    AZ_Client::getInstance()->getSpritePool()->setAnimation(v_hudBar_getPowerSprite(bar),
                                                            b_szHealthPowerId_getPowerAnimation(codeSlot), 0, 0);
}

void b_szHealthPowerId_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szHealthPowerId), __LINE__);
    const std::int32_t bar = presenter->getCodeSlot(kHudBar);
    if (bar == -1) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t id = v_hudBar_getPowerSprite(bar);
    pool->update(id, frameTime);
    // Paused, the sprite stays on its last frame.
    if (pool->isAnimationFinished(id)) AZ_PauseCode(presenter, kId);
}

void b_szHealthPowerId_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szHealthPowerId), __LINE__);
}
