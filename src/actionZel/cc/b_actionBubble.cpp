#include "src/actionZel/cc/b_actionBubble.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/b_drawable.h"

namespace {

constexpr std::int32_t kId = 41;
constexpr std::int32_t kBoundingBox = 27;
constexpr std::int32_t kUnknown = 0, kInside = 1, kOutside = 2;

}  // namespace

void b_actionBubble_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_actionBubble), __LINE__);
    b_actionBubble_setState(codeSlot, kUnknown);
}

void b_actionBubble_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_actionBubble), __LINE__);
    std::int32_t width = b_actionBubble_getExtraWidth(codeSlot), height = b_actionBubble_getExtraHeight(codeSlot);
    if (const std::int32_t box = presenter->findCodeSlot(kBoundingBox); box != -1) {
        width = WrapAdd32(width, b_boundingBox_getWidth(box));
        height = WrapAdd32(height, b_boundingBox_getHeight(box));
    }
    const bool in = AZ_IsBoxOnActiveLayerScreen(WrapSub32(presenter->getX(), width >> 1),
                                                WrapSub32(presenter->getY(), height), width, height);
    const std::int32_t state = b_actionBubble_getState(codeSlot);
    AZ_Client* client = AZ_Client::getInstance();
    if (in && (state == kUnknown || state == kOutside)) {
        b_actionBubble_setState(codeSlot, kInside);
        // The enter handler of a character made here may destroy it, and
        // its presenter go to another: that one gets no 207.
        const AZ_HeldCharacter self(presenter);
        if (client->getActiveIndex(presenter->getId()) == -1) client->spawnCharacter(presenter);
        AZ_SendEventHolding(self, self, 207);
    } else if (!in && (state == kUnknown || state == kInside)) {
        b_actionBubble_setState(codeSlot, kOutside);
        client->sendEvent(presenter->getId(), 284);
    }
}

void b_actionBubble_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_actionBubble), __LINE__);
}
