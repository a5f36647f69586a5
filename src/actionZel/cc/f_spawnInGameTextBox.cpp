#include "src/actionZel/cc/f_spawnInGameTextBox.h"

#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_counter.h"
#include "src/actionZel/cc/b_inGameTextBox.h"
#include "src/actionZel/cc/b_timer.h"
#include "src/actionZel/cc/f_setUserControlCharacter.h"
#include "src/actionZel/cc/v_inGameTextBox.h"

namespace {

constexpr std::int32_t kTextBoxType = 81;
// Characters of this type stop updating while a box waits for keys.
constexpr std::int32_t kHaltedType = 61;
constexpr std::int32_t kTimer = 17, kCounter = 72, kTextBox = 76, kTextBoxVisual = 93;
constexpr std::int32_t kPortraitLeft = 1;

}  // namespace

void f_spawnInGameTextBox(AZ_Presenter* presenter, std::int32_t paramOffset, AZ_ParamArray params) {
    AZ_CheckPresenter(presenter, AZ_UNIT_SOURCE(f_spawnInGameTextBox), __LINE__);
    AZ_ArgCursor args(params, paramOffset);
    const std::int32_t text = args.next(), portrait = args.next(), side = args.next(), backdrop = args.next();
    const std::int32_t pageTime = args.next(), counterType = args.next(), showZero = args.next();
    const std::int32_t endEvent = args.next(), endEventType = args.next(), blackout = args.next();
    AZ_Client* client = AZ_Client::getInstance();

    std::int32_t number = -1;
    if (counterType != -1) {
        const std::int32_t id = client->getPresenterOfRow(client->findCharacterByType(counterType));
        const std::int32_t counter = id == -1 ? -1 : AZ_Presenter::getPresenter(id)->findCodeSlot(kCounter);
        if (counter != -1) number = b_counter_getLimit(counter) - b_counter_getCount(counter);
        if (showZero == 0 && number == 0) return;
    }
    if (const std::int32_t open = client->findCharacterByType(kTextBoxType); open != -1) {
        client->destroyCharacter(open);
    }
    AZ_Presenter* box = AZ_Presenter_Singleton::getInstance()->createPresenter(kTextBoxType, 0, 0);
    if (box == nullptr) return;
    // A refused spawn, or an enter handler destroying the box, leaves no box.
    if (client->spawnCharacter(box) == -1) return;

    if (pageTime > 0) {
        if (const std::int32_t timer = box->attach(kTimer); timer != -1) b_timer_setTime(timer, pageTime);
    } else {
        AZ_ForEachPresenterOfType(kHaltedType, [](AZ_Presenter* halted) { halted->setUpdateEnabled(false); });
        AZ_SetUserControlCharacter(kTextBoxType, 0, 1);
    }
    client->getAdapter()->acquireText(text);

    // The portrait starts just off the screen on its side.
    std::int32_t width = 0;
    if (const std::int32_t visual = box->findCodeSlot(kTextBoxVisual); visual != -1) {
        const std::int32_t sprite = v_inGameTextBox_getPortraitSprite(visual);
        if (SZ_Pool::isValid(sprite)) {
            SZ_Pool* pool = client->getSpritePool();
            pool->setAnimation(sprite, portrait, 0, 0);
            width = pool->getCollisionRectWidth(sprite);
        }
    }
    // The new box's script attaches its behaviour; one that did not gets no words.
    const std::int32_t words = box->findCodeSlot(kTextBox);
    if (words == -1) return;
    b_inGameTextBox_setAutoAdvanceTime(words, pageTime);
    b_inGameTextBox_setStringId(words, text);
    b_inGameTextBox_setSide(words, side);
    b_inGameTextBox_setBackdrop(words, backdrop);
    b_inGameTextBox_setBlackout(words, blackout);
    b_inGameTextBox_setNumber(words, number);
    b_inGameTextBox_setPortraitX(words, side == kPortraitLeft ? -width : client->getCamera()->GetViewWidth() + width);
    b_inGameTextBox_setEndEvent(words, endEvent);
    b_inGameTextBox_setEndEventTargetType(words, endEvent != -1 && endEventType != -1 ? endEventType : kTextBoxType);
}
