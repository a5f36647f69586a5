#include "src/actionZel/cc/b_hudOverlayAnimatable.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_hudOverlay.h"

namespace {

constexpr std::int32_t kId = 39;
constexpr std::int32_t kOverlay = 81;

}  // namespace

void b_hudOverlayAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudOverlayAnimatable), __LINE__);
    const std::int32_t overlay = presenter->getCodeSlot(kOverlay);
    if (overlay == -1) return;
    AZ_Client::getInstance()->getSpritePool()->setAnimation(v_hudOverlay_getSprite(overlay),
                                                            b_hudOverlayAnimatable_getAnimation(codeSlot), 0,
                                                            b_hudOverlayAnimatable_getLoop(codeSlot) == 1 ? 1 : 0);
}

void b_hudOverlayAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudOverlayAnimatable), __LINE__);
    const std::int32_t overlay = presenter->getCodeSlot(kOverlay);
    if (overlay == -1) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t id = v_hudOverlay_getSprite(overlay);
    pool->update(id, frameTime);
    // Animation 0 takes over, looping or not as the unit says.
    if (pool->isAnimationFinished(id)) {
        pool->setAnimation(id, 0, 0, b_hudOverlayAnimatable_getLoop(codeSlot) == 1 ? 1 : 0);
    }
}

void b_hudOverlayAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudOverlayAnimatable), __LINE__);
}
