#include "src/actionZel/cc/v_szTiledSprite.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 89;
constexpr std::int32_t kPoolWord = 5;
constexpr std::int32_t kChild = 2, kBoundingBox = 27;
constexpr std::int32_t kTarget = 3;

std::int32_t Word(std::int32_t codeSlot, std::int32_t word) {
    return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
}

}  // namespace

void v_szTiledSprite_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szTiledSprite), __LINE__);
    const std::int32_t id = AZ_TakeSprite(codeSlot, kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    pool->setArchetypeCharacter(id, Word(codeSlot, 1), Word(codeSlot, 2));
    pool->setAnimation(id, Word(codeSlot, 3), presenter->getFacing() == 1 ? 2 : 0, 1);
}

void v_szTiledSprite_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szTiledSprite), __LINE__);
    AZ_PauseCode(presenter, kChild);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->findCharacterByType(kTarget);
    if (row == -1) return;
    const AZ_Presenter* target = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    const std::int32_t box = target->findCodeSlot(kBoundingBox);
    const std::int64_t bottom = std::int64_t{target->getY()} - (box != -1 ? b_boundingBox_getHeight(box) >> 1 : 0);
    presenter->setX(target->getX());
    const std::int32_t id = Word(codeSlot, kPoolWord), spacing = Word(codeSlot, 4);
    if (!SZ_Pool::isValid(id) || spacing <= 0) return;
    const Camera* camera = client->getCamera();
    const std::int32_t x = Camera::WorldToPixel(presenter->getX()) - camera->GetX();
    for (std::int64_t y = std::int64_t{presenter->getY()} + spacing; y < bottom; y += spacing) {
        client->getSpritePool()->draw(id, x, Camera::WorldToPixel(static_cast<std::int32_t>(y)) - camera->GetY());
    }
}

void v_szTiledSprite_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szTiledSprite), __LINE__);
    AZ_FreeSprite(codeSlot, kPoolWord);
}
