#include "src/actionZel/cc/f_changeState.h"

#include "src/actionZel/AZ_Services.h"

void f_changeState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeState), __LINE__);
    const std::int32_t state = AZ_ArgCursor(params, paramOffset).next();
    const std::int32_t row = AZ_ExitHandlingState(AZ_Client::getInstance()->getActiveIndex(presenter->getId()));
    if (row != -1) AZ_EnterNewTopState(row, state);
}
