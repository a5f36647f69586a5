#include "src/actionZel/cc/b_timer.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 17;
constexpr std::int32_t kDoneEvent = 299;

}  // namespace

void b_timer_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_timer), __LINE__);
}

void b_timer_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_timer), __LINE__);
    const std::int32_t left = WrapSub32(b_timer_getTime(codeSlot), frameTime);
    b_timer_setTime(codeSlot, left);
    if (left >= 1) return;
    presenter->detach(kId);
    AZ_Client::getInstance()->sendEvent(presenter->getId(), kDoneEvent);
}

void b_timer_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_timer), __LINE__);
}
