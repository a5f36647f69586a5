#include "src/actionZel/cc/f_pauseCharacter.h"

#include "src/actionZel/AZ_Services.h"

void f_pauseCharacter(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_pauseCharacter), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t type = args.next(), update = args.next(), render = args.next();
    AZ_ForEachPresenterOfType(type, [=](AZ_Presenter* each) {
        if (update == 1) each->setUpdateEnabled(false);
        if (render == 1) each->setRenderEnabled(false);
    });
}
