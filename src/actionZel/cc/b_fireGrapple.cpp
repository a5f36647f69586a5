#include "src/actionZel/cc/b_fireGrapple.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 36;

}  // namespace

std::int32_t AZ_GetHookRow(std::int32_t fireGrappleSlot) {
    const std::int32_t hook = b_fireGrapple_getHookId(fireGrappleSlot);
    if (hook < 0 || hook >= AZ__MAX_PRESENTER) return -1;
    return AZ_Client::getInstance()->getActiveIndex(hook);
}

void b_fireGrapple_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_fireGrapple), __LINE__);
    // A re-attach keeps the hook it has.
    if (b_fireGrapple_getHookId(codeSlot) == AZ_FREE) b_fireGrapple_setHookId(codeSlot, -1);
}

void b_fireGrapple_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_fireGrapple), __LINE__);
}

void b_fireGrapple_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_fireGrapple), __LINE__);
    if (const std::int32_t hook = AZ_GetHookRow(codeSlot); hook != -1) AZ_Client::getInstance()->destroyCharacter(hook);
}
