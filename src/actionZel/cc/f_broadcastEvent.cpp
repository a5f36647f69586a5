#include "src/actionZel/cc/f_broadcastEvent.h"

#include "src/actionZel/AZ_Services.h"

void f_broadcastEvent(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_broadcastEvent), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t event = args.next(), type = args.next();
    AZ_BroadcastEventToType(event, type);
}
