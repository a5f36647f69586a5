#include "src/actionZel/cc/b_changeLevelStringId.h"

#include <algorithm>
#include <cstdlib>

#include "platform/shared/core/Wrap.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_textBox.h"
#include "src/actionZel/cc/b_textWidget.h"

namespace {

constexpr std::int32_t kId = 62;
constexpr std::int32_t kTextBox = 45, kTextWidget = 63;
constexpr std::int32_t kFresh = -32767;
constexpr std::int32_t kFirstName = 343, kLastName = 353;
constexpr std::int32_t kNoGame = 342, kGameStarted = 343, kSoundOn = 355, kSoundOff = 356;
constexpr std::int32_t kVibrationOn = 357, kVibrationOff = 358;

// Unbinds the old string, binds the new one.
void Rebind(std::int32_t oldId, std::int32_t newId) {
    AZ_ReleaseText(oldId);
    AZ_Client::getInstance()->getAdapter()->acquireText(newId);
}

}  // namespace

void b_changeLevelStringId_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_changeLevelStringId), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t widget = presenter->findCodeSlot(kTextWidget), box = presenter->findCodeSlot(kTextBox);
    std::int32_t current = 0;
    if (widget != -1) current = b_textWidget_getStringId(widget);
    if (box != -1) current = b_textBox_getStringId(box);
    // A base of 0 is taken for a fresh record too.
    const std::int32_t recorded = b_changeLevelStringId_getBaseStringId(codeSlot);
    const bool first = recorded == kFresh || recorded == 0;
    if (first) b_changeLevelStringId_setBaseStringId(codeSlot, current);
    const std::int32_t base = first ? current : recorded;
    std::int32_t shown = WrapAdd32(current, b_changeLevelStringId_getStep(codeSlot));
    if (widget != -1) {
        // Cyclic over base .. base + reached; a first attach shows the last.
        const std::int32_t last = WrapAdd32(base, client->getAdapter()->getUnlockedLevel());
        if (shown < base) shown = last;
        if (shown > last) shown = base;
        if (first) shown = last;
        Rebind(b_textWidget_getStringId(widget), shown);
        b_textWidget_setStringId(widget, shown);
    }
    if (box != -1) {
        Rebind(b_textBox_getStringId(box), shown);
        b_textBox_setStringId(box, shown);
    }
    const std::int64_t index = std::abs(static_cast<std::int64_t>(shown) - base);
    client->sendEvent(presenter->getId(),
                      static_cast<std::int32_t>(std::min<std::int64_t>(kFirstName + index, kLastName)));
}

void b_changeLevelStringId_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_changeLevelStringId), __LINE__);
    if (presenter->findCodeSlot(kTextWidget) != -1 || presenter->findCodeSlot(kTextBox) != -1) return;
    presenter->detach(kId);
    const AZ_Presenter* keys = AZ_Presenter::getPresenter(AZ_GetKeyInputCharacter());
    if (keys == nullptr) return;
    // Each handler may destroy either character: the events go on while
    // this one lives and the key character is still the same.
    const AZ_HeldCharacter self(presenter), target(keys);
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    if (!AZ_SendEventHolding(self, target, adapter->hasSavedGame() ? kGameStarted : kNoGame)) return;
    if (!AZ_SendEventHolding(self, target, adapter->isSoundOn() ? kSoundOn : kSoundOff)) return;
    AZ_SendEventHolding(self, target, adapter->isVibrationOn() ? kVibrationOn : kVibrationOff);
}

void b_changeLevelStringId_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_changeLevelStringId), __LINE__);
}
