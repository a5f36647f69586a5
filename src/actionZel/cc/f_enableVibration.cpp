#include "src/actionZel/cc/f_enableVibration.h"

#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/actionZel/AZ_Client.h"

bool AZ_IsVibrationAllowed() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return options != nullptr && (options->GetMode() == 1 || options->GetMode() == 2);
}

void f_enableVibration(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_enableVibration), __LINE__);
    if (AZ_IsVibrationAllowed()) AZ_Client::getInstance()->getAdapter()->setVibrationOn(true);
}
