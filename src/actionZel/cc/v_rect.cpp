#include "src/actionZel/cc/v_rect.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_color.h"

namespace {

constexpr std::int32_t kId = 91;
constexpr std::int32_t kColor = 88;

}  // namespace

void v_rect_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_rect), __LINE__);
}

void v_rect_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_rect), __LINE__);
    const std::int32_t color = presenter->findCodeSlot(kColor);
    if (color == -1 || v_color_getAlpha(color) <= 0) return;
    const auto word = [codeSlot](std::int32_t w) { return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + w); };
    AZ_FillRect(word(1), word(2), word(3), word(4),
                AZ_MakeColor(v_color_getRed(color), v_color_getGreen(color), v_color_getBlue(color)));
}

void v_rect_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_rect), __LINE__);
}
