#include "src/actionZel/cc/v_combo.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_combo.h"

namespace {

constexpr std::int32_t kId = 92;
constexpr std::int32_t kBarWord = 3;
constexpr std::int32_t kCombo = 74;
constexpr std::int32_t kHidden = 1;
constexpr std::int32_t kGap = 4;
constexpr std::uint32_t kCoverColour = 0xFF5687BE;

}  // namespace

void v_combo_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_combo), __LINE__);
    const std::int32_t id = AZ_TakeSprite(codeSlot, kBarWord);
    if (!SZ_Pool::isValid(id)) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    pool->setArchetypeCharacter(id, AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 1),
                                AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 2));
    // No animation until a combo chooses one.
    pool->setAnimation(id, -1, 0, 0);
}

void v_combo_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_combo), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t right = client->getCamera()->GetViewWidth() - 2;
    const std::int32_t bottom = client->getCamera()->GetViewHeight() - 2;
    const AZ_Presenter* player = AZ_FindPlayer();
    const std::int32_t combo = player == nullptr ? -1 : player->findCodeSlot(kCombo);
    const std::int32_t id = v_combo_getSprite(codeSlot);
    if (combo == -1 || !SZ_Pool::isValid(id)) return;
    const std::int32_t meter = b_combo_getMeter(combo), max = b_combo_getMeterMax(combo);
    // A full meter shows in every bar state.
    if (b_combo_getBarState(combo) == kHidden && meter < max) return;
    const std::int32_t barY = bottom + b_combo_getBarOffset(combo);
    const std::int32_t countX = right + b_combo_getCountOffset(combo);
    SZ_Pool* pool = client->getSpritePool();
    const std::int32_t w = pool->getCollisionRectWidth(id), h = pool->getCollisionRectHeight(id);
    client->getAdapter()->drawNumber(0, b_combo_getShownCount(combo), countX, bottom - h - kGap);
    pool->draw(id, right, barY);
    if (meter >= max || max <= 0) return;
    const std::int32_t cut = AZ_CutWidth(meter, max, w);
    AZ_FillRect(right + pool->getCollisionRectX(id) + w - cut, barY + pool->getCollisionRectY(id), cut, h,
                kCoverColour);
}

void v_combo_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_combo), __LINE__);
    AZ_FreeSprite(codeSlot, kBarWord);
}
