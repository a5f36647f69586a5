#include "src/actionZel/cc/v_bar.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 83;

std::uint32_t Colour(std::int32_t codeSlot, std::int32_t word) {
    return static_cast<std::uint32_t>(AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word));
}

}  // namespace

void v_bar_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_bar), __LINE__);
}

void v_bar_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_bar), __LINE__);
    const auto word = [codeSlot](std::int32_t w) { return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + w); };
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    std::int32_t x = Camera::WorldToPixel(presenter->getX()) - camera->GetX() + word(1);
    std::int32_t y = Camera::WorldToPixel(presenter->getY()) - camera->GetY() + word(2);
    std::int32_t width = word(3), height = word(4);
    AZ_FillRect(x, y, width, height, Colour(codeSlot, 10));
    const std::int32_t insetX = word(5), insetY = word(6);
    x += insetX;
    width -= 2 * insetX;
    y += insetY;
    height -= 2 * insetY;
    AZ_FillRect(x, y, width, height, Colour(codeSlot, 8));
    // The filled part is inset by the horizontal inset on all four sides.
    const std::int32_t filled = Low32(Sar64(std::int64_t{width} * word(7), 10) / 100);
    AZ_FillRect(x + insetX, y + insetX, filled - 2 * insetX, std::max(height - 2 * insetX, 1), Colour(codeSlot, 9));
}

void v_bar_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_bar), __LINE__);
}
