#include "src/actionZel/cc/f_changeCharacterType.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_changeCharacterType(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeCharacterType), __LINE__);
    const std::int32_t type = AZ_ArgCursor(params, paramOffset).next();
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t row = client->getActiveIndex(presenter->getId());
    if (row != -1) client->changeCharacterType(row, type);
}
