#include "src/actionZel/cc/f_spawnCharacter.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_spawnCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_spawnCharacter), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t type = args.next(), x = args.next(), y = args.next(), direction = args.next();
    AZ_Presenter* spawned = AZ_Presenter_Singleton::getInstance()->createPresenter(type, x, y);
    if (spawned == nullptr) return;
    spawned->setFacing(direction == -1 ? 1 : 0);
    AZ_Client::getInstance()->spawnCharacter(spawned);
}
