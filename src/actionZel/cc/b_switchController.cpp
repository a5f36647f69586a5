#include "src/actionZel/cc/b_switchController.h"

namespace {

constexpr std::int32_t kId = 43;

}  // namespace

void b_switchController_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switchController), __LINE__);
}

void b_switchController_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switchController), __LINE__);
}

void b_switchController_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_switchController), __LINE__);
}
