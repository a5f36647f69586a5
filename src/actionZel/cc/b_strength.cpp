#include "src/actionZel/cc/b_strength.h"

namespace {

constexpr std::int32_t kId = 22;

}  // namespace

void b_strength_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_strength), __LINE__);
}

void b_strength_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_strength), __LINE__);
}

void b_strength_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_strength), __LINE__);
}
