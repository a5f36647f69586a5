#include "src/actionZel/cc/b_hudBackgroundAnimatable.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_hudBackground.h"

namespace {

constexpr std::int32_t kId = 28;
constexpr std::int32_t kBackground = 84;

}  // namespace

void b_hudBackgroundAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudBackgroundAnimatable), __LINE__);
    const std::int32_t background = presenter->getCodeSlot(kBackground);
    if (background == -1) return;
    AZ_Client::getInstance()->getSpritePool()->setAnimation(
        v_hudBackground_getPoolId(background), b_hudBackgroundAnimatable_getAnimation(codeSlot), 0,
        b_hudBackgroundAnimatable_getLoop(codeSlot) == 1 ? 1 : 0);
}

void b_hudBackgroundAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudBackgroundAnimatable), __LINE__);
    const std::int32_t background = presenter->getCodeSlot(kBackground);
    if (background != -1) {
        AZ_Client::getInstance()->getSpritePool()->update(v_hudBackground_getPoolId(background), frameTime);
    }
}

void b_hudBackgroundAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hudBackgroundAnimatable), __LINE__);
}
