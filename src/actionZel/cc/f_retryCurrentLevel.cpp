#include "src/actionZel/cc/f_retryCurrentLevel.h"

#include "src/actionZel/AZ_Client.h"

void f_retryCurrentLevel(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_retryCurrentLevel), __LINE__);
    AZ_Client::getInstance()->getAdapter()->retryCurrentLevel();
}
