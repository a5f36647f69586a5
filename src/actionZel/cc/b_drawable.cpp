#include "src/actionZel/cc/b_drawable.h"

#include <algorithm>
#include <limits>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 40;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kFree = -32767;
constexpr std::int32_t kUnknown = 0, kIn = 1, kCameIn = 2, kOut = 3, kWentOut = 4;

// The parallax layer a priority places the character on, or -1 for none
// (a priority of 0 or more, one below the camera's layers, or a layer
// whose factor is 0, which has no space to convert into).
std::int32_t LayerOf(std::int32_t priority) {
    if (priority >= 0 || priority < -Camera::kMaxLayers) return -1;
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    const std::int32_t layer = -priority - 1;
    return camera->GetLayerParallaxX(layer) != 0 && camera->GetLayerParallaxY(layer) != 0 ? layer : -1;
}

std::int32_t Clamp32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool AZ_IsBoxOnActiveLayerScreen(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    return camera->IsVisible(left, top, width, height, camera->GetActiveLayer());
}

void b_drawable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_drawable), __LINE__);
    // A re-attached instance keeps its position in the layer's space.
    if (b_drawable_getVisibility(codeSlot) == kFree) {
        if (const std::int32_t layer = LayerOf(b_drawable_getPriority(codeSlot)); layer != -1) {
            const Camera* camera = AZ_Client::getInstance()->getCamera();
            presenter->setX(Clamp32(std::int64_t{presenter->getX()} * 1024 / camera->GetLayerParallaxX(layer)));
            presenter->setY(Clamp32(std::int64_t{presenter->getY()} * 1024 / camera->GetLayerParallaxY(layer)));
        }
    }
    b_drawable_setVisibility(codeSlot, kUnknown);
}

void b_drawable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_drawable), __LINE__);
    if (b_drawable_getTracking(codeSlot) == 0) return;
    const std::int32_t state = b_drawable_getVisibility(codeSlot);
    std::int32_t width = 0, height = 0;
    if (const std::int32_t box = presenter->findCodeSlot(kBoundingBox); box != -1) {
        width = b_boundingBox_getWidth(box);
        height = b_boundingBox_getHeight(box);
    }
    const std::int32_t left = WrapSub32(presenter->getX(), width >> 1), top = WrapSub32(presenter->getY(), height);
    const std::int32_t layer = LayerOf(b_drawable_getPriority(codeSlot));
    const bool in = layer != -1 ? AZ_Client::getInstance()->getCamera()->IsVisible(left, top, width, height, layer)
                                : AZ_IsBoxOnActiveLayerScreen(left, top, width, height);
    AZ_Client* client = AZ_Client::getInstance();
    if (in && state == kCameIn) b_drawable_setVisibility(codeSlot, kIn);
    if (in && (state == kUnknown || state == kOut || state == kWentOut)) {
        b_drawable_setVisibility(codeSlot, kCameIn);
        // The enter handler of a character made here may destroy it, and
        // its presenter go to another: that one gets no 208.
        const AZ_HeldCharacter self(presenter);
        if (client->getActiveIndex(presenter->getId()) == -1) client->spawnCharacter(presenter);
        AZ_SendEventHolding(self, self, 208);
    }
    if (!in && state == kWentOut) b_drawable_setVisibility(codeSlot, kOut);
    if (!in && (state == kUnknown || state == kIn || state == kCameIn)) {
        b_drawable_setVisibility(codeSlot, kWentOut);
        client->sendEvent(presenter->getId(), 285);
    }
}

void b_drawable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_drawable), __LINE__);
    if (const std::int32_t layer = LayerOf(b_drawable_getPriority(codeSlot)); layer != -1) {
        const Camera* camera = AZ_Client::getInstance()->getCamera();
        presenter->setX(Clamp32(std::int64_t{presenter->getX()} * camera->GetLayerParallaxX(layer) >> 10));
        presenter->setY(Clamp32(std::int64_t{presenter->getY()} * camera->GetLayerParallaxY(layer) >> 10));
    }
}
