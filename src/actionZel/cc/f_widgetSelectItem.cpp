#include "src/actionZel/cc/f_widgetSelectItem.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_widgetSelectable.h"

namespace {

constexpr std::int32_t kSelectable = 65;
constexpr std::int32_t kEnter = 359, kLeave = 360;

}  // namespace

void f_widgetSelectItem(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_widgetSelectItem), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t forward = args.next(), wrap = args.next();
    const std::int32_t menu = presenter->findCodeSlot(kSelectable);
    if (menu == -1) return;
    AZ_Client* client = AZ_Client::getInstance();
    if (const std::int32_t focus = b_widgetSelectable_getFocus(menu); focus != -1) client->sendEvent(focus, kLeave);
    b_widgetSelectable_moveFocus(presenter->getId(), menu, forward == 1 ? 1 : 0, wrap == 1 ? 1 : 0);
    if (const std::int32_t focus = b_widgetSelectable_getFocus(menu); focus != -1) client->sendEvent(focus, kEnter);
}
