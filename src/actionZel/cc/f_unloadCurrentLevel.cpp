#include "src/actionZel/cc/f_unloadCurrentLevel.h"

#include "src/actionZel/AZ_Client.h"

void f_unloadCurrentLevel(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unloadCurrentLevel), __LINE__);
    AZ_Client::getInstance()->getAdapter()->unloadLevel();
}
