#include "src/actionZel/cc/b_vibrate.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 69;
// Words: a parameter nothing reads, the duration in ms and the handle of
// the vibration started.
constexpr std::int32_t kDurationWord = 2;
constexpr std::int32_t kHandleWord = 3;

}  // namespace

void b_vibrate_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vibrate), __LINE__);
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    if (!adapter->isVibrationOn()) return;
    const std::int32_t duration = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kDurationWord);
    AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + kHandleWord, adapter->vibrate(duration));
}

void b_vibrate_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vibrate), __LINE__);
    // A handle of 0 (option off, or the player refused) names no vibration:
    // the player would read it as "any", so the unit ends at once.
    const std::int32_t handle = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kHandleWord);
    if (handle <= 0 || !AZ_Client::getInstance()->getAdapter()->isVibrating(handle)) presenter->detach(kId);
}

void b_vibrate_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_vibrate), __LINE__);
}
