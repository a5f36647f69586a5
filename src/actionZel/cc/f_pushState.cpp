#include "src/actionZel/cc/f_pushState.h"

#include "src/actionZel/AZ_Services.h"

void f_pushState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_pushState), __LINE__);
    const std::int32_t state = AZ_ArgCursor(params, paramOffset).next();
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = AZ_ClearStateStack(client->getActiveIndex(presenter->getId()));
    if (row == -1) return;
    client->pushState(row, state);
    client->enterState(row);
}
