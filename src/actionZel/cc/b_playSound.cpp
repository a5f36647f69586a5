#include "src/actionZel/cc/b_playSound.h"

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr std::int32_t kId = 68;
// Words: the sound number (1-based), the loop flag and the handle of the
// sound started last.
constexpr std::int32_t kSoundWord = 1;
constexpr std::int32_t kLoopWord = 2;
constexpr std::int32_t kHandleWord = 3;
constexpr std::int32_t kEndedEvent = 362;

std::int32_t Word(std::int32_t codeSlot, std::int32_t word) {
    return AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + word);
}

// The player's handles are positive. 0 (sound off at the attach, or the
// player refused) and -1 (no such sound) name no sound: the player would
// read 0 as "any sound", so they are never handed to it and count as ended.
bool IsPlaying(AZ_Adapter* adapter, std::int32_t handle) { return handle > 0 && adapter->isSoundPlaying(handle); }

void Play(AZ_Adapter* adapter, std::int32_t codeSlot) {
    AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + kHandleWord, adapter->playSound(Word(codeSlot, kSoundWord)));
}

}  // namespace

void b_playSound_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_playSound), __LINE__);
    AZ_Adapter* adapter = AZ_Client::getInstance()->getAdapter();
    if (adapter->isSoundOn()) Play(adapter, codeSlot);
}

void b_playSound_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_playSound), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    AZ_Adapter* adapter = client->getAdapter();
    if (IsPlaying(adapter, Word(codeSlot, kHandleWord))) return;
    if (Word(codeSlot, kLoopWord) != 0) {
        if (adapter->isSoundOn()) Play(adapter, codeSlot);
        return;
    }
    presenter->detach(kId);
    client->sendEvent(presenter->getId(), kEndedEvent);
}

void b_playSound_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_playSound), __LINE__);
    const std::int32_t handle = Word(codeSlot, kHandleWord);
    if (handle > 0) AZ_Client::getInstance()->getAdapter()->stopSound(handle);
}
