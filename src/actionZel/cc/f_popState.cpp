#include "src/actionZel/cc/f_popState.h"

#include "src/actionZel/AZ_Services.h"

void f_popState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_popState), __LINE__);
    const std::int32_t enter = AZ_ArgCursor(params, paramOffset).next();
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = AZ_ExitHandlingState(client->getActiveIndex(presenter->getId()));
    if (row == -1) return;
    if (client->popState(row) == -1) {
        client->destroyCharacter(row);
    } else if (enter != 0) {
        client->enterState(row);
    }
}
