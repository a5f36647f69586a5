#include "src/actionZel/cc/v_hudBar.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_health.h"
#include "src/actionZel/cc/b_power.h"
#include "src/actionZel/cc/b_szHealthPowerId.h"

namespace {

constexpr std::int32_t kId = 85;
constexpr std::int32_t kHealthWord = 1, kPowerWord = 2;
constexpr std::int32_t kHealth = 20, kPower = 55, kHealthPowerId = 56, kSprite = 86;

// The overlay's sprite, drawn over the part of its bar (its frame's box)
// that value leaves open of max, from the right end.
void DrawOverlay(std::int32_t id, std::int32_t value, std::int32_t max) {
    if (!SZ_Pool::isValid(id) || max <= 0) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t x = pool->getCollisionRectX(id), y = pool->getCollisionRectY(id);
    const std::int32_t w = pool->getCollisionRectWidth(id), h = pool->getCollisionRectHeight(id);
    const std::int32_t cut = AZ_CutWidth(value, max, w);
    pool->drawClipped(id, 0, 0, x + w - cut, y, cut, h);
}

}  // namespace

void v_hudBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBar), __LINE__);
    const std::int32_t ids = presenter->findCodeSlot(kHealthPowerId), sprite = presenter->findCodeSlot(kSprite);
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    for (const std::int32_t word : {kHealthWord, kPowerWord}) {
        const std::int32_t id = AZ_TakeSprite(codeSlot, word);
        if (!SZ_Pool::isValid(id)) continue;
        // Without its partners the overlay stays empty.
        if (sprite != -1) {
            pool->setArchetypeCharacter(id, AZ_Presenter_Singleton::getCodeSlotValue(sprite + 1),
                                        AZ_Presenter_Singleton::getCodeSlotValue(sprite + 2));
        }
        if (ids != -1) {
            pool->setAnimation(id, word == kHealthWord ? b_szHealthPowerId_getHealthAnimation(ids)
                                                       : b_szHealthPowerId_getPowerAnimation(ids),
                               0, 0);
        }
    }
}

void v_hudBar_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBar), __LINE__);
    const AZ_Presenter* player = AZ_FindPlayer();
    if (player == nullptr) return;
    const std::int32_t health = player->findCodeSlot(kHealth), power = player->findCodeSlot(kPower);
    if (health == -1 || power == -1) return;
    DrawOverlay(v_hudBar_getHealthSprite(codeSlot), b_health_getHealth(health), b_health_getMaxHealth(health));
    DrawOverlay(v_hudBar_getPowerSprite(codeSlot), b_power_getPower(power), b_power_getMaxPower(power));
}

void v_hudBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_hudBar), __LINE__);
    AZ_FreeSprite(codeSlot, kHealthWord);
    AZ_FreeSprite(codeSlot, kPowerWord);
}
