#include "src/actionZel/cc/b_textWidget.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/b_boundingBox.h"
#include "src/actionZel/cc/v_textBox.h"

namespace {

constexpr std::int32_t kId = 63;
constexpr std::int32_t kBoundingBox = 27, kTextVisual = 80;
constexpr std::int32_t kDefaultWidth = 100, kDefaultHeight = 15;
constexpr std::int32_t kAlignCentre = 2, kAlignMiddle = 32;

}  // namespace

void b_textWidget_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textWidget), __LINE__);
    AZ_Client::getInstance()->getAdapter()->acquireText(b_textWidget_getStringId(codeSlot));
}

void b_textWidget_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textWidget), __LINE__);
    const std::int32_t visual = presenter->getCodeSlot(kTextVisual);
    if (visual == -1) return;
    v_textBox_setStringId(visual, b_textWidget_getStringId(codeSlot));
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    const std::int32_t x = Camera::WorldToPixel(presenter->getX()) - camera->GetX();
    const std::int32_t y = Camera::WorldToPixel(presenter->getY()) - camera->GetY();
    std::int32_t width = kDefaultWidth, height = kDefaultHeight;
    if (const std::int32_t box = presenter->findCodeSlot(kBoundingBox); box != -1) {
        width = Camera::WorldToPixel(b_boundingBox_getWidth(box));
        height = Camera::WorldToPixel(b_boundingBox_getHeight(box));
    }
    v_textBox_setWidth(visual, width);
    v_textBox_setHeight(visual, height);
    v_textBox_setX(visual, x);
    v_textBox_setY(visual, y);
    v_textBox_setParam2(visual, 0);
    v_textBox_setHorizontalAlignment(visual, kAlignCentre);
    v_textBox_setVerticalAlignment(visual, kAlignMiddle);
}

void b_textWidget_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textWidget), __LINE__);
    AZ_ReleaseText(b_textWidget_getStringId(codeSlot));
}
