#include "src/actionZel/cc/v_szSkyBox.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 87;
constexpr std::int32_t kPoolWord = 7;

std::int32_t Word(std::int32_t codeSlot, std::int32_t word) {
    return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
}

// The distance from the camera scaled by the factor, within one tile.
std::int32_t TileOffset(std::int32_t position, std::int32_t camera, std::int32_t factor, std::int32_t tile) {
    return Low32((std::int64_t{position} - camera) * factor >> 10) % tile;
}

}  // namespace

void v_szSkyBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szSkyBox), __LINE__);
    const std::int32_t id = AZ_TakeSprite(codeSlot, kPoolWord);
    if (SZ_Pool::isValid(id)) {
        AZ_Client::getInstance()->getSpritePool()->setArchetypeCharacter(id, Word(codeSlot, 1), Word(codeSlot, 2));
    }
}

// The sprite's anchor is the middle of its bottom edge: the first column's
// centre lies within half a tile of the left edge, the first row's bottom
// at 1 or below, and the tiles cover the view.
void v_szSkyBox_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szSkyBox), __LINE__);
    const std::int32_t id = Word(codeSlot, kPoolWord);
    if (!SZ_Pool::isValid(id)) return;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t w = pool->getCollisionRectWidth(id), h = pool->getCollisionRectHeight(id);
    if (w <= 0 || h <= 0) return;
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    std::int32_t x0 = TileOffset(Camera::WorldToPixel(presenter->getX()), camera->GetX(), Word(codeSlot, 5), w) - w;
    std::int32_t y0 = TileOffset(Camera::WorldToPixel(presenter->getY()), camera->GetY(), Word(codeSlot, 6), h) - h;
    while (x0 <= -(w >> 1)) x0 += w;
    while (y0 < 1) y0 += h;
    std::int32_t xEnd = camera->GetViewWidth() + (w >> 1), yEnd = camera->GetViewHeight() + h;
    if (Word(codeSlot, 3) == 0) {
        x0 = w >> 1;
        xEnd = x0 + 1;
    }
    if (Word(codeSlot, 4) == 0) {
        y0 = h;
        yEnd = h + 1;
    }
    for (std::int32_t y = y0; y < yEnd; y += h) {
        for (std::int32_t x = x0; x < xEnd; x += w) pool->draw(id, x, y);
    }
}

void v_szSkyBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_szSkyBox), __LINE__);
    AZ_FreeSprite(codeSlot, kPoolWord);
}
