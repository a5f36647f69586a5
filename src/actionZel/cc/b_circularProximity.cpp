#include "src/actionZel/cc/b_circularProximity.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/AZ_Bands.h"
#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 34;
constexpr std::int32_t kBoundingBox = 27;

}  // namespace

void b_circularProximity_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_circularProximity), __LINE__);
}

void b_circularProximity_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_circularProximity), __LINE__);
    const std::int32_t target = AZ_FindNearestOfType(presenter, b_circularProximity_getTargetType(codeSlot), -1);
    if (target != b_circularProximity_getTarget(codeSlot)) {
        b_circularProximity_setState(codeSlot, AZ_BAND_UNKNOWN);
        b_circularProximity_setTarget(codeSlot, target);
    }
    const AZ_BandWords words{kId, codeSlot, 7};
    if (target == -1) {
        AZ_EnterBand(presenter, words, AZ_BAND_FAR_FRONT, 277);
        return;
    }
    const AZ_Presenter* other = AZ_Presenter::getPresenter(target);
    const std::int32_t box = presenter->findCodeSlot(kBoundingBox), otherBox = other->findCodeSlot(kBoundingBox);
    if (box == -1 || otherBox == -1) return;
    const std::int32_t x = presenter->getX(), ox = other->getX();
    const std::int32_t cy = static_cast<std::int32_t>(std::int64_t{presenter->getY()} - (b_boundingBox_getHeight(box) >> 1));
    const std::int32_t ocy = static_cast<std::int32_t>(std::int64_t{other->getY()} - (b_boundingBox_getHeight(otherBox) >> 1));
    std::int64_t d = AZ_GetSquaredDistance(x, cy, ox, ocy);
    const bool behind = presenter->getFacing() == 1 ? ox >= x : ox < x;
    if (behind) d = -d;
    const std::int64_t inner = AZ_GetSquaredLength(b_circularProximity_getInnerRadius(codeSlot), 0);
    const std::int64_t outer = AZ_GetSquaredLength(b_circularProximity_getOuterRadius(codeSlot), 0);
    AZ_UpdateBand(presenter, words, d, inner - 1, inner, outer, {201, 277, 202, 278});
}

void b_circularProximity_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_circularProximity), __LINE__);
}
