#include "src/actionZel/cc/b_rotation.h"

namespace {

constexpr std::int32_t kId = 11;

}  // namespace

void b_rotation_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rotation), __LINE__);
}

void b_rotation_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rotation), __LINE__);
}

void b_rotation_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_rotation), __LINE__);
}
