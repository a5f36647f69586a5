#include "src/actionZel/cc/f_detachVisual.h"

#include "src/actionZel/AZ_Presenter.h"

void f_detachVisual(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_detachVisual), __LINE__);
    presenter->detachVisual(AZ_ArgCursor(params, paramOffset).next());
}
