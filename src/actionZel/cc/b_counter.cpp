#include "src/actionZel/cc/b_counter.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 72;
// Re-attach n below the limit raises kCountEvent + min(n, 9); the limit
// raises kLimitEvent.
constexpr std::int32_t kCountEvent = 344;
constexpr std::int32_t kLimitEvent = 354;

}  // namespace

void b_counter_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_counter), __LINE__);
    std::int32_t count = b_counter_getCount(codeSlot);
    if (count == AZ_FREE) {  // a fresh record: the first attach
        b_counter_setCount(codeSlot, 0);
        return;
    }
    count = WrapAdd32(count, 1);
    b_counter_setCount(codeSlot, count);
    const std::int32_t event = count < b_counter_getLimit(codeSlot) ? kCountEvent + std::min(count, 9) : kLimitEvent;
    AZ_Client::getInstance()->sendEvent(presenter->getId(), event);
}

void b_counter_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_counter), __LINE__);
    if (b_counter_getCount(codeSlot) >= b_counter_getLimit(codeSlot)) presenter->detach(kId);
}

void b_counter_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_counter), __LINE__);
}
