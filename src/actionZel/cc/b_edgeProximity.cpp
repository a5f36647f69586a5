#include "src/actionZel/cc/b_edgeProximity.h"

namespace {

constexpr std::int32_t kId = 48;

}  // namespace

void b_edgeProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_edgeProximity), __LINE__);
}

void b_edgeProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_edgeProximity), __LINE__);
}

void b_edgeProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_edgeProximity), __LINE__);
}
