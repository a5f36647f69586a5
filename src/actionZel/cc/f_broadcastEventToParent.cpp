#include "src/actionZel/cc/f_broadcastEventToParent.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_child.h"

namespace {

constexpr std::int32_t kChild = 2;

}  // namespace

void f_broadcastEventToParent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_broadcastEventToParent), __LINE__);
    const std::int32_t event = AZ_ArgCursor(params, paramOffset).next();
    const std::int32_t slot = presenter->findCodeSlot(kChild);
    const std::int32_t parent = slot != -1 ? b_child_getParent(slot) : -1;
    if (parent >= 0) AZ_Client::getInstance()->sendEvent(parent, AZ_FIRST_EVENT + event);
}
