#include "src/actionZel/cc/b_eyes.h"

namespace {

constexpr std::int32_t kId = 14;

}  // namespace

void b_eyes_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_eyes), __LINE__);
}

void b_eyes_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_eyes), __LINE__);
}

void b_eyes_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_eyes), __LINE__);
}
