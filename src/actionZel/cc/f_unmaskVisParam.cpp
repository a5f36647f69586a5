#include "src/actionZel/cc/f_unmaskVisParam.h"

void f_unmaskVisParam(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unmaskVisParam), __LINE__);
}
