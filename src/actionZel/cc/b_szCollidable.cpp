#include "src/actionZel/cc/b_szCollidable.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_hotspotImpact.h"
#include "src/actionZel/cc/b_motion.h"
#include "src/actionZel/cc/b_szWorldCollidable.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/game/AZ_Adapter.h"

namespace {

constexpr std::int32_t kId = 10;
constexpr std::int32_t kWorldCollidable = 9, kBoundingBox = 27, kHotspot = 29, kIgnore = 32, kSprite = 86;
constexpr std::int32_t kStruck = 289, kTouching = 169, kMet = 170, kHitSomething = 288;

// The collision rectangle of the presenter's sprite in its current frame,
// in world units relative to its position.
struct Rect {
    std::int32_t left, top, width, height;
};

// False when there is none to test with: no sprite (or one the pool could
// not give), or a frame without a rectangle.
bool ReadRect(const AZ_Presenter* presenter, Rect* rect) {
    const std::int32_t sprite = presenter->getCodeSlot(kSprite);
    const std::int32_t id = sprite == -1 ? -1 : v_sz_getPoolId(sprite);
    if (!SZ_Pool::isValid(id)) return false;
    SZ_Pool* pool = AZ_Client::getInstance()->getSpritePool();
    const std::int32_t width = pool->getCollisionRectWidth(id), height = pool->getCollisionRectHeight(id);
    if (width < 1 || height < 1) return false;
    *rect = {AZ_Adapter::pixelToWorld(pool->getCollisionRectX(id)),
             AZ_Adapter::pixelToWorld(pool->getCollisionRectY(id)), AZ_Adapter::pixelToWorld(width),
             AZ_Adapter::pixelToWorld(height)};
    return true;
}

}  // namespace

void b_szCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szCollidable), __LINE__);
}

void b_szCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szCollidable), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    if (presenter->getCodeSlot(kSprite) == -1) return;
    const std::int32_t x = presenter->getX(), y = presenter->getY();
    std::int32_t vx, vy;
    AZ_GetCharacterVelocity(presenter, true, &vx, &vy);
    const std::int32_t type = b_szCollidable_getTargetType(codeSlot);
    if (type < 0 || type >= client->getData()->getNumCharacters()) return;
    b_szCollidable_setCollider(codeSlot, -1);

    // The rectangle is read for the first character tested and again after
    // any event, whose handler may have changed the frame; without one the
    // walk ends. A handler may detach this unit, attach it afresh or
    // destroy a character: the walk goes on while this character lives,
    // writes the unit's words only while it holds the same instance, and
    // raises a struck character's second event only while that is still
    // the same character.
    const AZ_HeldCharacter self(presenter);
    const AZ_HeldInstance instance(codeSlot);
    Rect rect{};
    bool stale = true, hit = false;
    AZ_ForEachCharacterOfType(type, [&](std::int32_t, const AZ_Presenter* other) {
        const std::int32_t box = other->findCodeSlot(kBoundingBox);
        if (other == presenter || other->findCodeSlot(kIgnore) != -1 || box == -1) return true;
        const std::int32_t w = b_boundingBox_getWidth(box), h = b_boundingBox_getHeight(box);
        if (w <= 0 || h <= 0) return true;
        if (stale && !ReadRect(presenter, &rect)) return false;
        stale = false;
        // The other's box relative to this character, against the rectangle.
        const std::int32_t ox = other->getX(), oy = other->getY();
        std::int32_t ovx, ovy;
        AZ_GetCharacterVelocity(other, true, &ovx, &ovy);
        const std::int32_t t = AZ_SweptBoxContactTime(
            WrapSub32(WrapSub32(ox, x), w >> 1), WrapSub32(WrapSub32(oy, y), h), w, h,
            rect.left, rect.top, rect.width, rect.height, ovx, ovy, vx, vy);
        if (t < 0 || t > frameTime) return true;
        if (const std::int32_t hotspot = other->findCodeSlot(kHotspot); hotspot != -1) {
            b_hotspotImpact_setX(hotspot, ox);
            b_hotspotImpact_setY(hotspot, WrapAdd32(y, rect.top));
        }
        if (instance.held() && b_szCollidable_getCollider(codeSlot) == -1) {
            b_szCollidable_setCollider(codeSlot, other->getId());
        }
        if (const std::int32_t world = presenter->findCodeSlot(kWorldCollidable); world != -1) {
            b_szWorldCollidable_setCollider(world, other->getId());
            return false;
        }
        hit = stale = true;
        const AZ_HeldCharacter struck(other);
        return AZ_SendEventHolding(self, struck, kStruck) &&
               AZ_SendEventHolding(self, struck, t == 0 ? kTouching : kMet);
    });
    if (!hit || !self.held()) return;
    if (instance.held()) AZ_PauseCode(presenter, kId);
    client->sendEvent(presenter->getId(), kHitSomething);
}

void b_szCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_szCollidable), __LINE__);
}
