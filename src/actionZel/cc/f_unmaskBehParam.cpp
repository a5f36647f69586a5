#include "src/actionZel/cc/f_unmaskBehParam.h"

void f_unmaskBehParam(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_unmaskBehParam), __LINE__);
}
