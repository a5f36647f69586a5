#include "src/actionZel/cc/f_detachAllVisuals.h"

#include "src/actionZel/AZ_Presenter.h"

void f_detachAllVisuals(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_detachAllVisuals), __LINE__);
    presenter->detachAllVisuals();
}
