#include "src/actionZel/cc/f_spawnCharacterRelative.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_child.h"
#include "src/actionZel/cc/b_hotspotImpact.h"
#include "src/actionZel/cc/v_sz.h"

namespace {

constexpr std::int32_t kChild = 2;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kHotspotImpact = 29;
constexpr std::int32_t kSprite = 86;

}  // namespace

void f_spawnCharacterRelative(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_spawnCharacterRelative), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t type = args.next(), mode = args.next();
    std::int32_t offsetX = args.next(), offsetY = args.next();
    const std::int32_t child = args.next(), mirror = args.next(), copyFacing = args.next(), raise = args.next(),
                       event = args.next();
    AZ_Client* client = AZ_Client::getInstance();
    const Camera* camera = client->getCamera();
    std::int32_t x = presenter->getX(), y = presenter->getY(), parent = presenter->getId();
    const std::uint8_t facing = presenter->getFacing();
    switch (mode) {
    case 1:  // the middle of the own box
    case 2: {  // its top
        const std::int32_t box = presenter->findCodeSlot(kBoundingBox);
        const std::int32_t height = box != -1 ? b_boundingBox_getHeight(box) : 1024;
        offsetY = WrapSub32(offsetY, mode == 1 ? height >> 1 : height);
        break;
    }
    case 3:  // the sprite's collision rectangle
        if (const std::int32_t sprite = presenter->findCodeSlot(kSprite); sprite != -1) {
            SZ_Pool* pool = client->getSpritePool();
            const std::int32_t id = v_sz_getPoolId(sprite);
            offsetX = WrapAdd32(offsetX, AZ_Adapter::pixelToWorld(pool->getCollisionRectX(id)));
            offsetY = WrapAdd32(offsetY, AZ_Adapter::pixelToWorld(pool->getCollisionRectY(id)));
        }
        break;
    case 4:  // where the character was last hit
        if (const std::int32_t impact = presenter->findCodeSlot(kHotspotImpact); impact != -1) {
            offsetX = WrapAdd32(offsetX, WrapSub32(b_hotspotImpact_getX(impact), x));
            offsetY = WrapAdd32(offsetY, WrapSub32(b_hotspotImpact_getY(impact), y));
        }
        break;
    case 5:  // the view's bottom centre
        x = AZ_Adapter::pixelToWorld(camera->GetX() + (camera->GetViewWidth() >> 1));
        y = AZ_Adapter::pixelToWorld(camera->GetY() + camera->GetViewHeight());
        parent = -2;
        break;
    case 6:  // the camera origin
        x = AZ_Adapter::pixelToWorld(camera->GetX());
        y = AZ_Adapter::pixelToWorld(camera->GetY());
        parent = -3;
        break;
    default:  // the own position
        break;
    }
    const bool mirrored = mirror == 1 && facing != 0;
    if (mirrored) offsetX = WrapNeg32(offsetX);
    AZ_Presenter* spawned =
        AZ_Presenter_Singleton::getInstance()->createPresenter(type, WrapAdd32(x, offsetX), WrapAdd32(y, offsetY));
    if (spawned == nullptr) return;
    if (mirror == 1 || copyFacing == 1) spawned->setFacing(facing);
    // A refused spawn has released the presenter, as does an enter handler
    // destroying the character, whose presenter may already be another's:
    // it takes no link and no event.
    const AZ_HeldCharacter character(spawned);
    client->spawnCharacter(spawned);
    if (!character.held()) return;
    if (child == 1) {
        if (const std::int32_t slot = spawned->attach(kChild); slot != -1) {
            // The child keeps the unmirrored offset: b_child mirrors it
            // itself while it follows the facing.
            b_child_setOffsetX(slot, mirrored ? WrapNeg32(offsetX) : offsetX);
            b_child_setOffsetY(slot, offsetY);
            b_child_setFollowFacing(slot, mirror);
            b_child_setParent(slot, parent);
        }
    }
    if (raise == 1) client->sendEvent(spawned->getId(), AZ_FIRST_EVENT + event);
}
