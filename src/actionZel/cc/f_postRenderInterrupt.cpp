#include "src/actionZel/cc/f_postRenderInterrupt.h"

void f_postRenderInterrupt(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_postRenderInterrupt), __LINE__);
}
