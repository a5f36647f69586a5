#include "src/actionZel/cc/f_generateEvent.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_generateEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_generateEvent), __LINE__);
    const std::int32_t event = AZ_ArgCursor(params, paramOffset).next();
    AZ_Client::getInstance()->sendEvent(presenter->getId(), AZ_FIRST_EVENT + event);
}
