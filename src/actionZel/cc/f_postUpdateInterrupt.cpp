#include "src/actionZel/cc/f_postUpdateInterrupt.h"

void f_postUpdateInterrupt(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_postUpdateInterrupt), __LINE__);
}
