#include "src/actionZel/cc/f_setDirection.h"

#include "src/actionZel/AZ_Presenter.h"

void f_setDirection(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setDirection), __LINE__);
    presenter->setFacing(AZ_ArgCursor(params, paramOffset).next() == -1 ? 1 : 0);
}
