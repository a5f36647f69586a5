#include "src/actionZel/cc/b_customCodeCallback.h"

namespace {

constexpr std::int32_t kId = 0;

}  // namespace

void b_customCodeCallback_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_customCodeCallback), __LINE__);
}

void b_customCodeCallback_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_customCodeCallback), __LINE__);
}

void b_customCodeCallback_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_customCodeCallback), __LINE__);
}
