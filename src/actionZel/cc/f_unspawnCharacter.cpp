#include "src/actionZel/cc/f_unspawnCharacter.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_unspawnCharacter(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unspawnCharacter), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    client->releaseRow(client->getActiveIndex(presenter->getId()));
}
