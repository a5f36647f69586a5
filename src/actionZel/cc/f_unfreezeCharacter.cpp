#include "src/actionZel/cc/f_unfreezeCharacter.h"

#include "src/actionZel/AZ_Services.h"

void f_unfreezeCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unfreezeCharacter), __LINE__);
    const std::int32_t type = AZ_ArgCursor(params, paramOffset).next();
    AZ_ForEachPresenterOfType(type, [](AZ_Presenter* each) { each->setFrozen(false); });
}
