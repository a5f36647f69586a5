#include "src/actionZel/cc/b_hotspotImpact.h"

namespace {

constexpr std::int32_t kId = 29;

}  // namespace

void b_hotspotImpact_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hotspotImpact), __LINE__);
}

void b_hotspotImpact_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hotspotImpact), __LINE__);
}

void b_hotspotImpact_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_hotspotImpact), __LINE__);
}
