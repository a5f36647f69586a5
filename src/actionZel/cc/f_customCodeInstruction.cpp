#include "src/actionZel/cc/f_customCodeInstruction.h"

void f_customCodeInstruction(AZ_Presenter* presenter, std::int32_t, AZ_ParamArray) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_customCodeInstruction), __LINE__);
}
