#include "src/actionZel/cc/b_textBox.h"

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/cc/v_textBox.h"

namespace {

constexpr std::int32_t kId = 45, kScrollId = 46, kLineId = 47;
constexpr std::int32_t kTextVisual = 80;
constexpr std::int32_t kFont = 0;
constexpr std::int32_t kOverflow = 366, kRestFits = 367;
constexpr std::int32_t kReferenceWidth = 240, kReferenceHeight = 320;
constexpr std::int32_t kAlignCentre = 2, kAlignTop = 16;

struct Box {
    std::int32_t width, height;
};

Box BoxOf(std::int32_t codeSlot) {
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    return {WrapMul32(camera->GetViewWidth(), b_textBox_getWidthPercent(codeSlot)) / 100,
            WrapMul32(camera->GetViewHeight(), b_textBox_getHeightPercent(codeSlot)) / 100};
}

}  // namespace

void b_textBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    AZ_Adapter* adapter = client->getAdapter();
    const std::int32_t text = b_textBox_getStringId(codeSlot);
    adapter->acquireText(text);
    const Camera* camera = client->getCamera();
    b_textBox_setX(codeSlot, WrapMul32(b_textBox_getX(codeSlot), camera->GetViewWidth()) / kReferenceWidth);
    b_textBox_setY(codeSlot, WrapMul32(b_textBox_getY(codeSlot), camera->GetViewHeight()) / kReferenceHeight);
    const Box box = BoxOf(codeSlot);
    if (adapter->layoutText(kFont, text, 0, box.width, box.height) == 0) {
        // The scroll unit is taken without its attach: it starts at page -1.
        if (const std::int32_t scroll = presenter->attach(kScrollId); scroll != -1) {
            b_textBoxScrollPage_setPage(scroll, -1);
            b_textBoxScrollPage_setPageStep(scroll, 0);
            b_textBoxScrollPage_setParam2(scroll, 0);
            b_textBoxScrollPage_setStatus(scroll, 0);
            // The handler may take this unit away or destroy the character:
            // the visual, found again, starts at the top while the
            // character lives.
            const AZ_HeldCharacter self(presenter);
            if (!AZ_SendEventHolding(self, self, kOverflow)) return;
        }
    }
    if (const std::int32_t visual = presenter->getCodeSlot(kTextVisual); visual != -1) {
        v_textBox_setFirstLine(visual, 0);
    }
}

void b_textBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
    const std::int32_t scroll = presenter->findCodeSlot(kScrollId);
    if (scroll != -1 && b_textBoxScrollPage_getPage(scroll) == -1) {
        b_textBoxScrollPage_setPage(scroll, 0);
        // What the visual is given below are this instance's words: nothing
        // once the handler has detached it or attached it afresh.
        const AZ_HeldInstance instance(codeSlot);
        AZ_Client::getInstance()->sendEvent(presenter->getId(), kOverflow);
        if (!instance.held()) return;
    }
    const std::int32_t visual = presenter->getCodeSlot(kTextVisual);
    if (visual == -1) return;
    const Box box = BoxOf(codeSlot);
    const Camera* camera = AZ_Client::getInstance()->getCamera();
    v_textBox_setStringId(visual, b_textBox_getStringId(codeSlot));
    v_textBox_setWidth(visual, box.width);
    v_textBox_setHeight(visual, box.height);
    v_textBox_setX(visual, WrapAdd32(b_textBox_getX(codeSlot), camera->GetViewWidth() >> 1));
    v_textBox_setY(visual, WrapAdd32(b_textBox_getY(codeSlot), box.height));
    v_textBox_setParam2(visual, 0);
    v_textBox_setHorizontalAlignment(visual, kAlignCentre);
    v_textBox_setVerticalAlignment(visual, kAlignTop);
}

void b_textBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
    presenter->detach(kScrollId);
    AZ_ReleaseText(b_textBox_getStringId(codeSlot));
}

void b_textBoxScrollPage_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kScrollId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
    const std::int32_t visual = presenter->getCodeSlot(kTextVisual);
    const std::int32_t step = b_textBoxScrollPage_getPageStep(codeSlot);
    if (visual == -1 || step <= 0) return;
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    const std::int32_t text = v_textBox_getStringId(visual);
    const std::int32_t width = v_textBox_getWidth(visual), height = v_textBox_getHeight(visual);
    if (adapter->layoutText(kFont, text, v_textBox_getFirstLine(visual), width, height) == 1) return;
    const std::int32_t page = WrapAdd32(b_textBoxScrollPage_getPage(codeSlot), step);
    b_textBoxScrollPage_setPage(codeSlot, page);
    // A font without height gives pages of no lines.
    const std::int32_t lineHeight = adapter->getFontHeight(kFont);
    const std::int32_t first = WrapMul32(page, lineHeight > 0 ? height / lineHeight : 0);
    const std::int32_t fits = adapter->layoutText(kFont, text, first, width, height);
    v_textBox_setFirstLine(visual, first);
    if (fits == 1) AZ_Client::getInstance()->sendEvent(presenter->getId(), kRestFits);
}

void b_textBoxScrollPage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kScrollId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
}

void b_textBoxScrollPage_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kScrollId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
}

void b_textBoxAdvanceLine_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kLineId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
}

void b_textBoxAdvanceLine_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kLineId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
}

void b_textBoxAdvanceLine_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kLineId, presenter, codeSlot, AZ_UNIT_SOURCE(b_textBox), __LINE__);
}
