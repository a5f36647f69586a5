#include "src/actionZel/cc/f_detachAllBehaviors.h"

#include "src/actionZel/AZ_Presenter.h"

void f_detachAllBehaviors(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_detachAllBehaviors), __LINE__);
    presenter->detachAllBehaviors();
}
