#include "src/actionZel/cc/f_resumeBehavior.h"

#include "src/actionZel/AZ_Services.h"

void f_resumeBehavior(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_resumeBehavior), __LINE__);
    AZ_ResumeCode(presenter, AZ_ArgCursor(params, paramOffset).next());
}
