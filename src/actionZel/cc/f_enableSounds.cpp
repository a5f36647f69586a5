#include "src/actionZel/cc/f_enableSounds.h"

#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/actionZel/AZ_Client.h"

bool AZ_IsSoundAllowed() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return options != nullptr && options->GetMode() == 2;
}

void f_enableSounds(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_enableSounds), __LINE__);
    if (AZ_IsSoundAllowed()) AZ_Client::getInstance()->getAdapter()->setSoundOn(true);
}
