#include "src/actionZel/cc/f_maskVisParam.h"

void f_maskVisParam(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_maskVisParam), __LINE__);
}
