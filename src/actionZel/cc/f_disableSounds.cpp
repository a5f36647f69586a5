#include "src/actionZel/cc/f_disableSounds.h"

#include "src/actionZel/AZ_Client.h"

void f_disableSounds(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_disableSounds), __LINE__);
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    adapter->stopAllSounds();
    adapter->setSoundOn(false);
}
