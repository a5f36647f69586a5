#include "src/actionZel/cc/f_unOverrideState.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_unOverrideState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unOverrideState), __LINE__);
    const std::int32_t base = AZ_ArgCursor(params, paramOffset).next();
    AZ_Client::getInstance()->unOverrideState(presenter->getId(), base);
}
