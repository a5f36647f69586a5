#include "src/actionZel/cc/f_setPositionRelative.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kCamera = 4;

}  // namespace

void f_setPositionRelative(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_setPositionRelative), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t type = args.next(), offsetX = args.next(), offsetY = args.next();
    const std::int32_t id = AZ_FindNearestTarget(presenter, type, -1);
    if (id == -1) return;  // no target: nothing happens
    const AZ_Presenter* target = AZ_Presenter::getPresenter(id);
    const std::int32_t towardFacing = presenter->getFacing() != 0 ? -offsetX : offsetX;  // facing left: the other way
    if (offsetX != AZ_FREE) presenter->setX(WrapAdd32(target->getX(), towardFacing));
    if (offsetY != AZ_FREE) presenter->setY(WrapAdd32(target->getY(), offsetY));
    AZ_Client* client = AZ_Client::getInstance();
    if (presenter->getId() != client->getUserCharacter()) return;
    // The camera jumps to the new place through the character's b_camera.
    Camera* camera = client->getCamera();
    camera->SetSnap(true);
    if (const std::int32_t slot = presenter->findCodeSlot(kCamera); slot != -1) {
        AZ_GetUnit(kCamera).update(presenter, slot, 0);
    }
    camera->SetSnap(false);
}
