#include "src/actionZel/cc/b_lookAt.h"

namespace {

constexpr std::int32_t kId = 16;

}  // namespace

void b_lookAt_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_lookAt), __LINE__);
}

void b_lookAt_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_lookAt), __LINE__);
}

void b_lookAt_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_lookAt), __LINE__);
}
