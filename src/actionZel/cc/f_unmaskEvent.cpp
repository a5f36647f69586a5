#include "src/actionZel/cc/f_unmaskEvent.h"

void f_unmaskEvent(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unmaskEvent), __LINE__);
}
