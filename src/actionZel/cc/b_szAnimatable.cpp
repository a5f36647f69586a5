#include "src/actionZel/cc/b_szAnimatable.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/actionZel/cc/v_szSkyBox.h"

namespace {

constexpr std::int32_t kId = 12;
constexpr std::int32_t kSprite = 86, kSkyBox = 87;
constexpr std::int32_t kAnimationEnded = 164;

// The pool id of the character's sprite, or -1 without a sprite visual.
std::int32_t SpriteOf(const AZ_Presenter* presenter) {
    if (const std::int32_t sprite = presenter->getCodeSlot(kSprite); sprite != -1) return v_sz_getPoolId(sprite);
    if (const std::int32_t sky = presenter->getCodeSlot(kSkyBox); sky != -1) return v_szSkyBox_getPoolId(sky);
    return -1;
}

std::int32_t Orientation(const AZ_Presenter* presenter) { return presenter->getFacing() == 1 ? 2 : 0; }

}  // namespace

void b_szAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szAnimatable), __LINE__);
    const std::int32_t id = SpriteOf(presenter);
    if (id == -1) return;
    AZ_Client::getInstance()->getSpritePool()->setAnimation(id, b_szAnimatable_getAnimation(codeSlot),
                                                            Orientation(presenter),
                                                            b_szAnimatable_getLoop(codeSlot) == 1 ? 1 : 0);
}

void b_szAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szAnimatable), __LINE__);
    const std::int32_t id = SpriteOf(presenter);
    if (id == -1) {
        presenter->detach(kId);
        return;
    }
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    // A turn restarts the animation mirrored (or back).
    pool->setOrientation(id, Orientation(presenter));
    pool->update(id, frameTime);
    if (pool->isAnimationFinished(id)) {
        AZ_PauseCode(presenter, kId);
        AZ_Client::getInstance()->sendEvent(presenter->getId(), kAnimationEnded);
    }
}

void b_szAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szAnimatable), __LINE__);
}
