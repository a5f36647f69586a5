#include "src/actionZel/cc/b_boundingBox.h"

namespace {

constexpr std::int32_t kId = 27;
// A script size above 32767 arrives as its 16-bit pattern, negative; the
// attach adds 65535 (one short of the pattern's value, as stored files
// have it).
constexpr std::int32_t kUnsignedFix = 65535;

}  // namespace

void b_boundingBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_boundingBox), __LINE__);
    const std::int32_t width = b_boundingBox_getWidth(codeSlot), height = b_boundingBox_getHeight(codeSlot);
    if (width < 0) b_boundingBox_setWidth(codeSlot, width + kUnsignedFix);
    if (height < 0) b_boundingBox_setHeight(codeSlot, height + kUnsignedFix);
}

void b_boundingBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_boundingBox), __LINE__);
}

void b_boundingBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_boundingBox), __LINE__);
}
