#include "src/actionZel/cc/f_maskEvent.h"

void f_maskEvent(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_maskEvent), __LINE__);
}
