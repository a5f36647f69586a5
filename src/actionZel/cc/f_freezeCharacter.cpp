#include "src/actionZel/cc/f_freezeCharacter.h"

#include "src/actionZel/AZ_Services.h"

void f_freezeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_freezeCharacter), __LINE__);
    const std::int32_t type = AZ_ArgCursor(params, paramOffset).next();
    AZ_ForEachPresenterOfType(type, [](AZ_Presenter* each) { each->setFrozen(true); });
}
