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
    AZ_Client* client = AZ_Client::getInstance();
    for (std::int32_t row = client->findCharacterByType(type); row != -1; row = AZ_GetNextCharacterOfType(type, row)) {
        const std::int32_t slot = AZ_Presenter::getPresenter(client->getPresenterOfRow(row))->findCodeSlot(kChild);
        if (slot != -1 && b_child_getParent(slot) == presenter->getId()) {
            client->raiseEvent(row, AZ_FIRST_EVENT + event);
        }
    }
}
