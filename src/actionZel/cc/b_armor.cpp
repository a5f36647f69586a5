#include "src/actionZel/cc/b_armor.h"

namespace {

constexpr std::int32_t kId = 21;

}  // namespace

void b_armor_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_armor), __LINE__);
}

void b_armor_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_armor), __LINE__);
}

void b_armor_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_armor), __LINE__);
}
