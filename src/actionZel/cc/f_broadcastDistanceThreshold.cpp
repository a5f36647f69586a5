#include "src/actionZel/cc/f_broadcastDistanceThreshold.h"

#include <cstdlib>

#include "src/actionZel/AZ_Services.h"

void f_broadcastDistanceThreshold(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_broadcastDistanceThreshold), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t event = args.next(), type = args.next(), distanceX = args.next(), distanceY = args.next();
    const std::int64_t x = presenter->getX(), y = presenter->getY();
    AZ_ForEachCharacterOfType(type, [&](std::int32_t row, const AZ_Presenter* other) {
        if (other != presenter && std::llabs(x - other->getX()) < distanceX &&
            std::llabs(y - other->getY()) < distanceY) {
            AZ_Client::getInstance()->raiseEvent(row, AZ_FIRST_EVENT + event);
        }
        return true;
    });
}
