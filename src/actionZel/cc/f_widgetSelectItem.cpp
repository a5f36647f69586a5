#include "src/actionZel/cc/f_widgetSelectItem.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_widgetSelectable.h"

namespace {

constexpr std::int32_t kSelectable = 65;
constexpr std::int32_t kEnter = 359, kLeave = 360;

}  // namespace

void f_widgetSelectItem(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_widgetSelectItem), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t forward = args.next(), wrap = args.next();
    std::int32_t menu = presenter->findCodeSlot(kSelectable);
    if (menu == -1) return;
    // The old focus's handler may detach the menu's selectable, attach it
    // afresh or destroy the menu: the focus moves in the selectable the
    // menu holds afterwards, while it is still the same character.
    const AZ_HeldCharacter self(presenter);
    const std::int32_t focus = b_widgetSelectable_getFocus(menu);
    if (focus != -1 && !AZ_SendEventHolding(self, focus, kLeave)) return;
    if ((menu = presenter->findCodeSlot(kSelectable)) == -1) return;
    b_widgetSelectable_moveFocus(presenter->getId(), menu, forward == 1 ? 1 : 0, wrap == 1 ? 1 : 0);
    if (const std::int32_t next = b_widgetSelectable_getFocus(menu); next != -1) {
        AZ_Client::getInstance()->sendEvent(next, kEnter);
    }
}
