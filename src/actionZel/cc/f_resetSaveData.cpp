#include "src/actionZel/cc/f_resetSaveData.h"

#include "src/actionZel/AZ_Client.h"

void f_resetSaveData(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_resetSaveData), __LINE__);
    AZ_Client::getInstance()->getAdapter()->resetSaveData();
}
