#include "src/actionZel/cc/v_inGameTextBox.h"

#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_inGameTextBox.h"

namespace {

constexpr std::int32_t kId = 93;
constexpr std::int32_t kMarkerWord = 4, kPortraitWord = 5;
constexpr std::int32_t kTextBox = 76;
constexpr std::int32_t kFont = 1;
constexpr std::uint32_t kBoxColour = 0xFF4A5E6B, kStripeColour = 0xFF0C1722;
// Text alignment flags: left or centred, from the top.
constexpr std::int32_t kAlignLeft = 1, kAlignCentre = 2, kAlignTop = 16;

// The pooled sprite of the word with the visual's archetype and character.
std::int32_t TakeSprite(std::int32_t codeSlot, std::int32_t word) {
    const std::int32_t id = AZ_TakeSprite(codeSlot, word);
    if (SZ_Pool::isValid(id)) {
        AZ_Client::getInstance()->getSpritePool()->setArchetypeCharacter(
            id, AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 2),
            AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + 3));
    }
    return id;
}

}  // namespace

void v_inGameTextBox_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_inGameTextBox), __LINE__);
    const std::int32_t marker = TakeSprite(codeSlot, kMarkerWord);
    const std::int32_t box = presenter->findCodeSlot(kTextBox);
    if (SZ_Pool::isValid(marker) && box != -1) {
        AZ_Client::getInstance()->getSpritePool()->setAnimation(marker, b_inGameTextBox_getMarkerAnimation(box), 0,
                                                                 1);
    }
    // The portrait's animation comes with the box's text.
    TakeSprite(codeSlot, kPortraitWord);
}

void v_inGameTextBox_render(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_inGameTextBox), __LINE__);
    const std::int32_t box = presenter->findCodeSlot(kTextBox);
    if (box == -1) return;
    AZ_Client* client = AZ_Client::getInstance();
    SZ_Pool* pool = client->getSpritePool();
    const std::int32_t viewWidth = client->getCamera()->GetViewWidth();
    const std::int32_t viewHeight = client->getCamera()->GetViewHeight();
    const std::int32_t height = b_inGameTextBox_getHeight(box), margin = b_inGameTextBox_getMargin(box);
    const std::int32_t target = b_inGameTextBox_getTargetHeight(box);
    const std::int32_t lineHeight = client->getAdapter()->getFontHeight(kFont);
    // While the box opens it grows about the middle of its final place.
    const std::int32_t x0 = margin, width = viewWidth - 2 * margin;
    const std::int32_t y0 = margin + ((target - height) >> 1);

    if (b_inGameTextBox_getBlackout(box) == 1) {
        AZ_FillRect(0, 0, viewWidth, viewHeight, 0);
    } else if (b_inGameTextBox_getBackdrop(box) == 1) {
        for (std::int32_t y = 0; y < viewHeight; y += 2) AZ_FillRect(0, y, viewWidth, 1, kStripeColour);
    }
    const std::int32_t portrait = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kPortraitWord);
    if (SZ_Pool::isValid(portrait)) pool->draw(portrait, b_inGameTextBox_getPortraitX(box), viewHeight);
    if (b_inGameTextBox_getClosing(box) == 1) return;

    CDrawUtil::FillRectRGB(nullptr, x0 + margin, y0 + margin, width, height, 0, 0, 0);
    AZ_FillRect(x0, y0, width, height, kBoxColour);
    CDrawUtil::FillRectRGB(nullptr, x0 + margin, y0 + margin, width - 2 * margin, height - 2 * margin, 255, 255, 255);

    const bool byKey = b_inGameTextBox_getAutoAdvanceTime(box) <= 0;
    const std::int32_t marker = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kMarkerWord);
    std::int32_t textHeight = target - 4 * margin;
    if (byKey && SZ_Pool::isValid(marker)) textHeight -= pool->getCollisionRectHeight(marker);
    const std::int32_t textWidth = width - 4 * margin;
    b_inGameTextBox_setTextHeight(box, textHeight);
    b_inGameTextBox_setTextWidth(box, textWidth);
    if (height < target) return;

    // The text rectangle holds whole lines; a font without height, or no
    // room for a line, shows no text.
    const std::int32_t lines = lineHeight > 0 ? textHeight / lineHeight : 0;
    if (lines > 0) {
        const std::int32_t page = v_inGameTextBox_getPage(codeSlot);
        client->getAdapter()->drawTextBox(0, x0 + 2 * margin, y0 + 2 * margin, textWidth, lines * lineHeight, kFont,
                                          b_inGameTextBox_getStringId(box), WrapMul32(page, lines),
                                          byKey ? kAlignLeft : kAlignCentre, kAlignTop, 0, 0,
                                          b_inGameTextBox_getNumber(box));
    }
    if (byKey && SZ_Pool::isValid(marker)) {
        pool->draw(marker, x0 + 2 * margin + textWidth, y0 + 4 * margin + textHeight);
    }
}

void v_inGameTextBox_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(v_inGameTextBox), __LINE__);
    AZ_FreeSprite(codeSlot, kMarkerWord);
    AZ_FreeSprite(codeSlot, kPortraitWord);
}
