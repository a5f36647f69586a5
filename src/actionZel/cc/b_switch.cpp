#include "src/actionZel/cc/b_switch.h"

namespace {

constexpr std::int32_t kId = 44;

}  // namespace

void b_switch_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switch), __LINE__);
}

void b_switch_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switch), __LINE__);
}

void b_switch_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switch), __LINE__);
}
