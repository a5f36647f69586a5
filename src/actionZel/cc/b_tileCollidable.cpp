#include "src/actionZel/cc/b_tileCollidable.h"

namespace {

constexpr std::int32_t kId = 7;

}  // namespace

void b_tileCollidable_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_tileCollidable), __LINE__);
}

void b_tileCollidable_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_tileCollidable), __LINE__);
}

void b_tileCollidable_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_tileCollidable), __LINE__);
}
