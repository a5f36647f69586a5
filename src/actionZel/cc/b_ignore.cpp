#include "src/actionZel/cc/b_ignore.h"

namespace {

constexpr std::int32_t kId = 32;

}  // namespace

void b_ignore_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_ignore), __LINE__);
}

void b_ignore_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_ignore), __LINE__);
}

void b_ignore_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_ignore), __LINE__);
}
