#include "src/actionZel/cc/f_broadcastEventToChild.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_child.h"

namespace {

constexpr std::int32_t kChild = 2;

}  // namespace

void f_broadcastEventToChild(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_broadcastEventToChild), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t event = args.next(), type = args.next();
    AZ_ForEachCharacterOfType(type, [&](std::int32_t row, const AZ_Presenter* other) {
        const std::int32_t slot = other->findCodeSlot(kChild);
        if (slot != -1 && b_child_getParent(slot) == presenter->getId()) {
            AZ_Client::getInstance()->raiseEvent(row, AZ_FIRST_EVENT + event);
        }
        return true;
    });
}
