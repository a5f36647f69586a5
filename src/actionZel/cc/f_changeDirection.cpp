#include "src/actionZel/cc/f_changeDirection.h"

#include "src/actionZel/AZ_Presenter.h"

void f_changeDirection(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_changeDirection), __LINE__);
    presenter->setFacing(presenter->getFacing() == 0 ? 1 : 0);
}
