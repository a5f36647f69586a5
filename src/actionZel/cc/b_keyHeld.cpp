#include "src/actionZel/cc/b_keyHeld.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 19;
constexpr std::int32_t kTimeWord = 1;
constexpr std::int32_t kReleasedEvent = 210;

}  // namespace

void b_keyHeld_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_keyHeld), __LINE__);
}

void b_keyHeld_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_keyHeld), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    AZ_KeyManager* keys = client->getKeyManager();
    if (!keys->isKeyDown()) {
        presenter->detach(kId);
        client->sendEvent(presenter->getId(), kReleasedEvent);
        return;
    }
    const std::int32_t left = WrapSub32(AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kTimeWord), frameTime);
    if (left >= 1) {
        AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + kTimeWord, left);
        return;
    }
    presenter->detach(kId);
    keys->sendHeldKeyEvents(presenter->getId());
}

void b_keyHeld_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_keyHeld), __LINE__);
}
