#include "src/actionZel/cc/f_pauseVisual.h"

#include "src/actionZel/AZ_Services.h"

void f_pauseVisual(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_pauseVisual), __LINE__);
    AZ_PauseVisual(presenter, AZ_ArgCursor(params, paramOffset).next());
}
