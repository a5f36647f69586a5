#include "src/actionZel/cc/f_loadSelectedLevel.h"

#include <algorithm>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_changeLevelStringId.h"
#include "src/actionZel/cc/b_textWidget.h"
#include "src/actionZel/cc/b_widgetSelectable.h"

namespace {

constexpr std::int32_t kChangeLevelStringId = 62, kTextWidget = 63, kSelectable = 65;

}  // namespace

void f_loadSelectedLevel(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_loadSelectedLevel), __LINE__);
    std::int32_t level = 0;
    if (const std::int32_t menu = presenter->findCodeSlot(kSelectable); menu != -1) {
        const std::int32_t focus = b_widgetSelectable_getFocus(menu);
        const AZ_Presenter* item = focus == -1 ? nullptr : AZ_Presenter::getPresenter(focus);
        const std::int32_t base = item ? item->findCodeSlot(kChangeLevelStringId) : -1;
        const std::int32_t text = item ? item->findCodeSlot(kTextWidget) : -1;
        if (base != -1 && text != -1) {
            level = std::max(b_textWidget_getStringId(text) - b_changeLevelStringId_getBaseStringId(base), 0);
        }
    }
    AZ_Client::getInstance()->getAdapter()->startLevel(level);
}
