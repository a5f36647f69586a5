#include "src/actionZel/cc/v_sz.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_clipToScreen.h"
#include "src/actionZel/cc/b_drawable.h"
#include "src/actionZel/cc/b_szAnimatable.h"

namespace {

constexpr std::int32_t kId = 86;
constexpr std::int32_t kPoolWord = 3;
constexpr std::int32_t kAnimatable = 12, kRotatable = 13, kDrawable = 40, kClipToScreen = 49, kHudBar = 85;
constexpr std::int32_t kOffScreen = 3;

}  // namespace

void v_sz_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_sz), __LINE__);
    const std::int32_t id = AZ_TakeSprite(codeSlot, kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    pool->setArchetypeCharacter(id, AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 1),
                                AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 2));
    if (const std::int32_t animatable = presenter->findCodeSlot(kAnimatable); animatable != -1) {
        pool->setAnimation(id, b_szAnimatable_getAnimation(animatable), presenter->getFacing() == 1 ? 2 : 0,
                           b_szAnimatable_getLoop(animatable) == 1 ? 1 : 0);
    }
}

void v_sz_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_sz), __LINE__);
    if (presenter->findCodeSlot(kAnimatable) == -1 && presenter->findCodeSlot(kRotatable) == -1) return;
    const std::int32_t id = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    std::int32_t x = 0, y = 0;
    // A head-up display places its sprite by the frame's own offsets.
    if (presenter->findCodeSlot(kHudBar) == -1) {
        x = Camera::WorldToPixel(presenter->getX()) - camera->GetX();
        y = Camera::WorldToPixel(presenter->getY()) - camera->GetY();
    }
    const std::int32_t clip = presenter->findCodeSlot(kClipToScreen), drawable = presenter->findCodeSlot(kDrawable);
    if (clip != -1 && drawable != -1 && b_drawable_getVisibility(drawable) == kOffScreen) {
        x = b_clipToScreen_getMarkerX(clip);
        y = b_clipToScreen_getMarkerY(clip);
    }
    AZ_Client::getInstance()->getSpritePool()->draw(id, x, y);
}

void v_sz_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_sz), __LINE__);
    AZ_FreeSprite(codeSlot, kPoolWord);
}
