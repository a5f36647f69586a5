#include "src/actionZel/cc/b_inGameTextBox.h"

#include <algorithm>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_timer.h"
#include "src/actionZel/cc/v_inGameTextBox.h"

namespace {

constexpr std::int32_t kId = 76, kNextPageId = 77;
constexpr std::int32_t kTimer = 17, kVisual = 93;
constexpr std::int32_t kFont = 1;
constexpr std::int32_t kLeft = 1;
// The script event of an end event given as -1.
constexpr std::int32_t kDefaultEndEvent = 367;

}  // namespace

void b_inGameTextBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
    b_inGameTextBox_setOpenTime(codeSlot, 0);
    b_inGameTextBox_setSlideTime(codeSlot, 0);
    b_inGameTextBox_setTargetHeight(codeSlot, 1);
}

void b_inGameTextBox_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t frameTime) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const Camera* camera = client->getCamera();
    const std::int32_t viewWidth = camera->GetViewWidth();
    std::int32_t target = WrapMul32(camera->GetViewHeight(), 35) / 100;
    if (b_inGameTextBox_getAutoAdvanceTime(codeSlot) > 0) {
        const std::int32_t margin = b_inGameTextBox_getMargin(codeSlot);
        target = WrapAdd32(client->getAdapter()->getFontHeight(kFont), WrapMul32(4, margin));
    }
    b_inGameTextBox_setTargetHeight(codeSlot, target);
    const std::int32_t speed = b_inGameTextBox_getSpeed(codeSlot);
    if (b_inGameTextBox_getHeight(codeSlot) < target) {
        b_inGameTextBox_setOpenTime(codeSlot, WrapAdd32(b_inGameTextBox_getOpenTime(codeSlot), frameTime));
    }
    const std::int32_t opened = WrapMul32(speed, b_inGameTextBox_getOpenTime(codeSlot)) / 1000;
    b_inGameTextBox_setHeight(codeSlot, std::min(opened, target));

    SZ_Pool* pool = client->getSpritePool();
    const std::int32_t visual = presenter->findCodeSlot(kVisual);
    std::int32_t portraitWidth = 0;
    if (visual != -1) {
        if (const std::int32_t marker = v_inGameTextBox_getMarkerSprite(visual); SZ_Pool::isValid(marker)) {
            pool->update(marker, frameTime);
        }
        const std::int32_t portrait = v_inGameTextBox_getPortraitSprite(visual);
        if (SZ_Pool::isValid(portrait)) portraitWidth = pool->getCollisionRectWidth(portrait);
    }
    const std::int32_t slide = WrapAdd32(b_inGameTextBox_getSlideTime(codeSlot), frameTime);
    b_inGameTextBox_setSlideTime(codeSlot, slide);
    std::int32_t d = WrapMul32(speed, slide) / 1000;
    const bool closing = b_inGameTextBox_getClosing(codeSlot) == 1;
    if (d > portraitWidth) {
        d = portraitWidth;
        if (closing) {
            const std::int32_t event = b_inGameTextBox_getEndEvent(codeSlot);
            const std::int32_t type = b_inGameTextBox_getEndEventTargetType(codeSlot);
            AZ_BroadcastEventToType(event == -1 ? kDefaultEndEvent : event, type);
            return;
        }
    }
    // In from beyond its side of the view, and out the same way.
    const bool left = b_inGameTextBox_getSide(codeSlot) == kLeft;
    const std::int32_t shown = closing ? portraitWidth - d : d;
    b_inGameTextBox_setPortraitX(codeSlot, left ? shown - portraitWidth : viewWidth + portraitWidth - shown);
}

void b_inGameTextBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
    AZ_ReleaseText(b_inGameTextBox_getStringId(codeSlot));
}

void b_moveToNextPage_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kNextPageId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
    const std::int32_t box = presenter->findCodeSlot(kId), visual = presenter->findCodeSlot(kVisual);
    if (box == -1 || visual == -1) return;
    // Attached while the box opens, it stays and waits to be attached again.
    if (b_inGameTextBox_getHeight(box) < b_inGameTextBox_getTargetHeight(box)) return;
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    const std::int32_t page = v_inGameTextBox_getPage(visual);
    const std::int32_t lineHeight = adapter->getFontHeight(kFont), textHeight = b_inGameTextBox_getTextHeight(box);
    // A font without height gives pages of no lines.
    const std::int32_t lines = lineHeight > 0 ? textHeight / lineHeight : 0;
    const std::int32_t last = adapter->layoutText(kFont, b_inGameTextBox_getStringId(box), WrapMul32(page, lines),
                                                  b_inGameTextBox_getTextWidth(box), textHeight);
    if (last == 1 && b_inGameTextBox_getClosing(box) == 0) {
        b_inGameTextBox_setClosing(box, 1);
        b_inGameTextBox_setSlideTime(box, 0);
    } else {
        v_inGameTextBox_setPage(visual, WrapAdd32(page, 1));
        const std::int32_t pageTime = b_inGameTextBox_getAutoAdvanceTime(box);
        if (const std::int32_t timer = pageTime > 0 ? presenter->attach(kTimer) : -1; timer != -1) {
            b_timer_setTime(timer, pageTime);
        }
    }
    presenter->detach(kNextPageId);
}

void b_moveToNextPage_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kNextPageId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
}

void b_moveToNextPage_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kNextPageId, presenter, codeSlot, AZ_UNIT_SOURCE(b_inGameTextBox), __LINE__);
}
