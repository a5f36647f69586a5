#include "src/actionZel/cc/b_loadProgressBar.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_loader.h"
#include "src/actionZel/cc/v_bar.h"
#include "src/actionZel/cc/v_rect.h"

namespace {

constexpr std::int32_t kId = 61;
constexpr std::int32_t kLoader = 60;
constexpr std::int32_t kBar = 83;
constexpr std::int32_t kBackdrop = 91;
constexpr std::int32_t kCycleMs = 2000;

// The blue of the border at t ms into the cycle: 255 fading to 0 over the
// first second, back up over the second.
std::int32_t BorderBlue(std::int32_t t) {
    const std::int64_t ms = t;
    if (ms / 1000 == 0) return Low32(255 - ms * 255 / 1000) & 255;
    if (ms / 1000 == 1) return Low32((ms - 1000) * 255 / 1000) & 255;
    return -1;
}

}  // namespace

void b_loadProgressBar_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loadProgressBar), __LINE__);
}

void b_loadProgressBar_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loadProgressBar), __LINE__);
    const std::int32_t bar = presenter->findCodeSlot(kBar);
    const std::int32_t loader = presenter->findCodeSlot(kLoader);
    if (loader == -1) return;
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    const std::int32_t width = camera->GetViewWidth(), height = camera->GetViewHeight();
    if (const std::int32_t backdrop = presenter->findCodeSlot(kBackdrop); backdrop != -1) {
        v_rect_setWidth(backdrop, width);
        v_rect_setHeight(backdrop, height);
    }
    const std::int32_t total = b_loader_getTotal(loader);
    if (total == 0) return;
    const std::int32_t remaining = b_loader_getRemaining(loader);
    if (remaining == 1) {
        AZ_PauseVisual(presenter, kBar);  // nothing resumes it
        return;
    }
    if (bar == -1) return;
    v_bar_setOffsetX(bar, (width >> 1) - ((width >> 1) >> 1));
    v_bar_setOffsetY(bar, 3 * height / 4);
    v_bar_setInsetX(bar, 1);
    v_bar_setInsetY(bar, 1);
    v_bar_setWidth(bar, width >> 1);
    v_bar_setHeight(bar, height / 25);
    v_bar_setFillColor(bar, static_cast<std::int32_t>(AZ_MakeColor(65, 109, 156)));
    v_bar_setBackColor(bar, static_cast<std::int32_t>(AZ_MakeColor(0, 0, 0)));

    // The border's colour cycle: an update that reaches the cycle's end
    // leaves the colour and carries the remainder over.
    const std::int32_t t = WrapAdd32(v_bar_getCycleTime(bar), frameTime);
    v_bar_setCycleTime(bar, t);
    if (const std::int32_t blue = BorderBlue(t); blue != -1) {
        v_bar_setBorderColour(bar, static_cast<std::int32_t>(AZ_MakeColor(0, 0, blue)));
    }
    if (std::int64_t{t} - kCycleMs >= 0) v_bar_setCycleTime(bar, t - kCycleMs);

    // Two steps ahead of the count: 50 % with all four steps left.
    const std::int64_t percent = (std::int64_t{total} - remaining + 2) * 100 / total;
    v_bar_setFill(bar, Shl32(Low32(percent), 10));
}

void b_loadProgressBar_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loadProgressBar), __LINE__);
}
