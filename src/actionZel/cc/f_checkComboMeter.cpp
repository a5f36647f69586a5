#include "src/actionZel/cc/f_checkComboMeter.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_combo.h"

namespace {

constexpr std::int32_t kCombo = 74;
constexpr std::int32_t kFull = 403;

}  // namespace

void f_checkComboMeter(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_checkComboMeter), __LINE__);
    const std::int32_t combo = presenter->findCodeSlot(kCombo);
    if (combo == -1 || b_combo_getMeter(combo) < b_combo_getMeterMax(combo)) return;
    AZ_Client::getInstance()->sendEvent(presenter->getId(), kFull);
}
