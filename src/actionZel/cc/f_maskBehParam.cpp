#include "src/actionZel/cc/f_maskBehParam.h"

void f_maskBehParam(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_maskBehParam), __LINE__);
}
