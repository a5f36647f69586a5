#include "src/actionZel/cc/f_disableVibration.h"

#include "src/actionZel/AZ_Client.h"

void f_disableVibration(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_disableVibration), __LINE__);
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    adapter->stopAllVibration();
    adapter->setVibrationOn(false);
}
