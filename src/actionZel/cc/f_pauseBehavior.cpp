#include "src/actionZel/cc/f_pauseBehavior.h"

#include "src/actionZel/AZ_Services.h"

void f_pauseBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_pauseBehavior), __LINE__);
    AZ_PauseCode(presenter, AZ_ArgCursor(params, paramOffset).next());
}
