#include "src/actionZel/cc/b_directionalFacing.h"

#include <limits>

#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 30;

}  // namespace

void b_directionalFacing_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalFacing), __LINE__);
}

void b_directionalFacing_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalFacing), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t type = b_directionalFacing_getTargetType(codeSlot);
    const std::int32_t x = presenter->getX(), y = presenter->getY();
    std::int32_t best = std::numeric_limits<std::int32_t>::max(), nearestX = 0;
    for (std::int32_t row = client->findCharacterByType(type); row != -1; row = AZ_GetNextCharacterOfType(type, row)) {
        const AZ_Presenter* other = AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
        if (other == presenter) continue;
        const std::int32_t d = AZ_GetShiftedSquares(x, y, other->getX(), other->getY());
        if (d < best) {
            best = d;
            nearestX = other->getX();
        }
    }
    presenter->setFacing(nearestX > x ? 0 : 1);
}

void b_directionalFacing_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalFacing), __LINE__);
}
