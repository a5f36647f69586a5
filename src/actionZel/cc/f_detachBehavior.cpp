#include "src/actionZel/cc/f_detachBehavior.h"

#include "src/actionZel/AZ_Presenter.h"

void f_detachBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_detachBehavior), __LINE__);
    presenter->detach(AZ_ArgCursor(params, paramOffset).next());
}
