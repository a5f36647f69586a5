#include "src/actionZel/cc/f_exitInterrupt.h"

#include "src/actionZel/AZ_Client.h"

void f_exitInterrupt(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_exitInterrupt), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    AZ_Client::getInstance()->setInterrupt(args.next());
}
