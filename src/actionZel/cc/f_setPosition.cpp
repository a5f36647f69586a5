#include "src/actionZel/cc/f_setPosition.h"

#include "src/actionZel/AZ_Presenter.h"

void f_setPosition(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setPosition), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t x = args.next(), y = args.next();
    presenter->setX(x * 1024);
    presenter->setY(y * 1024);
}
