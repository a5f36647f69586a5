#include "src/actionZel/cc/f_activateSelected.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_widgetSelectable.h"

namespace {

constexpr std::int32_t kSelectable = 65;
constexpr std::int32_t kActivate = 361;

}  // namespace

void f_activateSelected(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_activateSelected), __LINE__);
    const std::int32_t menu = presenter->findCodeSlot(kSelectable);
    if (menu == -1) return;
    if (const std::int32_t focus = b_widgetSelectable_getFocus(menu); focus != -1) {
        AZ_Client::getInstance()->sendEvent(focus, kActivate);
    }
}
