#include "src/actionZel/cc/f_stopVibration.h"

void f_stopVibration(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_stopVibration), __LINE__);
}
