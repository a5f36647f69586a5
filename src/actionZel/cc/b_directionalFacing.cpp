#include "src/actionZel/cc/b_directionalFacing.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 30;

// The square of a difference shifted by 10: below 2^64 unsigned.
std::uint64_t SquareShifted(std::int64_t d) {
    const std::uint64_t magnitude = d < 0 ? 0 - static_cast<std::uint64_t>(d) : static_cast<std::uint64_t>(d);
    return magnitude * magnitude >> 10;
}

// (dx^2 >> 10) + (dy^2 >> 10), each square shifted on its own, exact and
// saturated at 2,147,483,647, so that characters far apart never wrap to
// near.
std::int32_t SquaresShifted(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const std::uint64_t d = SquareShifted(std::int64_t{x1} - x2) + SquareShifted(std::int64_t{y1} - y2);
    return static_cast<std::int32_t>(std::min<std::uint64_t>(d, std::numeric_limits<std::int32_t>::max()));
}

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
        const std::int32_t d = SquaresShifted(x, y, other->getX(), other->getY());
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
