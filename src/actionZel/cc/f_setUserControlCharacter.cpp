#include "src/actionZel/cc/f_setUserControlCharacter.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void AZ_SetUserControlCharacter(std::int32_t type, std::int32_t snap, std::int32_t keys) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t id = client->getPresenterOfRow(client->findCharacterByType(type));
    if (id == -1) return;
    if (keys == 1) client->getAdapter()->setKeyCharacter(id);
    client->getAdapter()->setUserCharacter(id);
    Camera* camera = client->getCamera();
    if (snap == 1) camera->SetSnap(true);
    const AZ_Presenter* user = AZ_Presenter::getPresenter(id);
    camera->LookAt(user->getX(), user->getY(), 0);
    if (snap == 1) camera->SetSnap(false);
}

void f_setUserControlCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setUserControlCharacter), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t type = args.next(), snap = args.next(), keys = args.next();
    AZ_SetUserControlCharacter(type, snap, keys);
}
