#include "src/actionZel/cc/f_overrideState.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

void f_overrideState(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_overrideState), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t base = args.next(), derived = args.next();
    AZ_Client::getInstance()->overrideState(presenter->getId(), base, derived);
}
