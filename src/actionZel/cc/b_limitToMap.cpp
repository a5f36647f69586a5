#include "src/actionZel/cc/b_limitToMap.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 1;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kBelowMapEvent = 375;

}  // namespace

void b_limitToMap_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_limitToMap), __LINE__);
}

void b_limitToMap_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_limitToMap), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const AZ_Adapter* adapter = client->getAdapter();
    const std::int32_t x = presenter->getX(), y = presenter->getY();
    std::int32_t width = 0, height = 0;
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
    if (box != -1) {
        width = b_boundingBox_getWidth(box);
        height = b_boundingBox_getHeight(box);
    }
    const std::int32_t half = width >> 1;
    const std::int32_t mapWidth = adapter->getMapWidth(), mapHeight = adapter->getMapHeight();
    // The edges are compared in 64 bits: a character far off the map must
    // not wrap back onto it.
    std::int32_t newX = x, newY = y;
    if (std::int64_t{x} - half < 0) newX = half;
    if (std::int64_t{x} + half > mapWidth) newX = mapWidth - half;  // a map narrower than the box: this wins
    if (std::int64_t{y} - height < 0) newY = height;
    const bool below = y > mapHeight;
    if (below && b_limitToMap_getClampBottom(codeSlot) == 1) newY = mapHeight;
    // Written before the event: what its handler does with the character
    // (moving it back onto the map, taking it away) stands.
    presenter->setX(newX);
    presenter->setY(newY);
    if (below && b_limitToMap_getClampBottom(codeSlot) != 1 && b_limitToMap_getEventBelow(codeSlot) == 1) {
        client->raiseEvent(client->getActiveIndex(presenter->getId()), kBelowMapEvent);
    }
}

void b_limitToMap_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_limitToMap), __LINE__);
}
