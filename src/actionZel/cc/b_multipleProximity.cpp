#include "src/actionZel/cc/b_multipleProximity.h"

#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 50;
constexpr std::int32_t kFlanked = 1, kClear = 2;

bool Behind(const AZ_Presenter* holder, const AZ_Presenter* other) {
    return holder->getFacing() == 1 ? other->getX() > holder->getX() : other->getX() < holder->getX();
}

bool Closer(const AZ_Presenter* holder, const AZ_Presenter* other, std::int64_t distance) {
    const std::int64_t dx = std::int64_t{other->getX()} - holder->getX();
    return (dx < 0 ? -dx : dx) < distance;
}

void Enter(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t state, std::int32_t event) {
    if (b_multipleProximity_getState(codeSlot) == state) return;
    b_multipleProximity_setState(codeSlot, state);
    AZ_Client::getInstance()->sendEvent(presenter->getId(), event);
}

}  // namespace

void b_multipleProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_multipleProximity), __LINE__);
    b_multipleProximity_setState(codeSlot, 0);
}

void b_multipleProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_multipleProximity), __LINE__);
    const std::int32_t type = b_multipleProximity_getType(codeSlot);
    const std::int32_t a = AZ_FindNearestAtSameHeight(presenter, type, -1);
    const std::int32_t b = a == -1 ? -1 : AZ_FindNearestAtSameHeight(presenter, type, a);
    if (b != -1) {
        const AZ_Presenter* first = AZ_Presenter::getPresenter(a);
        const AZ_Presenter* second = AZ_Presenter::getPresenter(b);
        const std::int64_t distance = b_multipleProximity_getDistance(codeSlot);
        if ((Behind(presenter, first) || Behind(presenter, second)) && Closer(presenter, first, distance) &&
            Closer(presenter, second, distance)) {
            Enter(presenter, codeSlot, kFlanked, 313);
            return;
        }
    }
    Enter(presenter, codeSlot, kClear, 314);
}

void b_multipleProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_multipleProximity), __LINE__);
}
