#include "src/actionZel/cc/v_hudBackground.h"

#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 84;
constexpr std::int32_t kPoolWord = 2;

}  // namespace

void v_hudBackground_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBackground), __LINE__);
    const std::int32_t id = AZ_TakeSprite(codeSlot, kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    pool->setArchetypeCharacter(id, AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 1), 0);
    pool->setAnimation(id, 0, 0, 0);
}

void v_hudBackground_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBackground), __LINE__);
    std::int32_t width, height;
    if (!AZ_GetSurfaceSize(&width, &height)) {
        AZ_Fail("[ AZ ][ ERROR ] - (Graphics) : Error initialising graphics", AZ_UNIT_SOURCE(v_hudBackground),
                __LINE__);
    }
    const std::int32_t id = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    AZ_Client* client = AZ_Client::getInstance();
    client->getSpritePool()->draw(id, client->getCamera()->GetViewWidth() >> 1, height >> 1);
}

void v_hudBackground_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBackground), __LINE__);
    AZ_FreeSprite(codeSlot, kPoolWord);
}
