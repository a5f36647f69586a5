#include "src/actionZel/cc/f_preRenderInterrupt.h"

void f_preRenderInterrupt(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_preRenderInterrupt), __LINE__);
}
