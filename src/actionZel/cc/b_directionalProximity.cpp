#include "src/actionZel/cc/b_directionalProximity.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/AZ_Bands.h"

namespace {

constexpr std::int32_t kId = 18;

}  // namespace

void b_directionalProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalProximity), __LINE__);
    b_directionalProximity_setState(codeSlot, AZ_BAND_UNKNOWN);
    b_directionalProximity_setTarget(codeSlot, -1);
}

void b_directionalProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalProximity), __LINE__);
    if (frameTime == 0) return;
    const std::int32_t target = AZ_FindNearestAtSameHeight(presenter, b_directionalProximity_getTargetType(codeSlot), -1);
    if (target != b_directionalProximity_getTarget(codeSlot)) {
        b_directionalProximity_setState(codeSlot, AZ_BAND_UNKNOWN);
        b_directionalProximity_setTarget(codeSlot, target);
    }
    const AZ_BandWords words{kId, codeSlot, 4};
    if (target == -1) {
        AZ_EnterBand(presenter, words, AZ_BAND_FAR_FRONT, 280);
        return;
    }
    std::int64_t dx = std::int64_t{AZ_Presenter::getPresenter(target)->getX()} - presenter->getX();
    if (presenter->getFacing() == 1) dx = -dx;
    const std::int32_t near = b_directionalProximity_getNear(codeSlot);
    AZ_UpdateBand(presenter, words, dx, near, near, b_directionalProximity_getFar(codeSlot), {203, 280, 204, 281});
}

void b_directionalProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_directionalProximity), __LINE__);
}
