#include "src/actionZel/cc/f_preUpdateInterrupt.h"

void f_preUpdateInterrupt(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_preUpdateInterrupt), __LINE__);
}
