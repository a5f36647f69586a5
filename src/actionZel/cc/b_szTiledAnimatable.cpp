#include "src/actionZel/cc/b_szTiledAnimatable.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_szTiledSprite.h"

namespace {

constexpr std::int32_t kId = 54;
constexpr std::int32_t kTiled = 89;

}  // namespace

void b_szTiledAnimatable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szTiledAnimatable), __LINE__);
}

void b_szTiledAnimatable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szTiledAnimatable), __LINE__);
    const std::int32_t tiled = presenter->getCodeSlot(kTiled);
    if (tiled != -1) AZ_Client::getInstance()->getSpritePool()->update(v_szTiledSprite_getSprite(tiled), frameTime);
}

void b_szTiledAnimatable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szTiledAnimatable), __LINE__);
}
