#include "src/actionZel/cc/b_clipToScreen.h"

#include "platform/shared/core/Wrap.h"
#include "src/DrawingUtil.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_drawable.h"

namespace {

constexpr std::int32_t kId = 49;
constexpr std::int32_t kBoundingBox = 27, kDrawable = 40;
constexpr std::int32_t kCameIn = 2, kOut = 3, kWentOut = 4;
// The box kept inside the view without a bounding box, in pixels.
constexpr std::int32_t kDefaultSize = 10;

}  // namespace

void b_clipToScreen_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_clipToScreen), __LINE__);
}

void b_clipToScreen_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_clipToScreen), __LINE__);
    std::int32_t drawable = presenter->findCodeSlot(kDrawable);
    if (drawable == -1) return;
    const std::int32_t visibility = b_drawable_getVisibility(drawable);
    AZ_Client* client = AZ_Client::getInstance();
    if (visibility == kCameIn) client->sendEvent(presenter->getId(), 311);
    if (visibility != kOut && visibility != kWentOut) return;
    if (visibility == kWentOut) {
        // The handler may have taken this unit or b_drawable away; all that
        // follows writes this instance's own words.
        const AZ_HeldInstance instance(codeSlot);
        client->sendEvent(presenter->getId(), 312);
        if (!instance.held() || (drawable = presenter->findCodeSlot(kDrawable)) == -1) return;
    }
    const Camera* camera = client->getCamera();
    std::int32_t x = WrapSub32(Camera::WorldToPixel(presenter->getX()), camera->GetX());
    std::int32_t y = WrapSub32(Camera::WorldToPixel(presenter->getY()), camera->GetY());
    if (b_drawable_getVisibility(drawable) == kOut) {
        std::int32_t width = kDefaultSize, height = kDefaultSize;
        if (const std::int32_t box = presenter->findCodeSlot(kBoundingBox); box != -1) {
            width = Camera::WorldToPixel(b_boundingBox_getWidth(box));
            height = Camera::WorldToPixel(b_boundingBox_getHeight(box));
        }
        const std::int32_t half = width >> 1;
        x = ClampInt(x, half, camera->GetViewWidth() - half);
        // Off screen only sideways keeps its height; above or below is
        // pinned to that edge with the box inside the view.
        y = ClampInt(y, height, camera->GetViewHeight());
    }
    b_clipToScreen_setMarkerX(codeSlot, x);
    b_clipToScreen_setMarkerY(codeSlot, y);
}

void b_clipToScreen_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_clipToScreen), __LINE__);
}
