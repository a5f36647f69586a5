#include "src/actionZel/cc/b_loader.h"

#include "src/CGameApp.h"
#include "src/CKeyMgr.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"

namespace {

constexpr std::int32_t kId = 60;
constexpr std::int32_t kTotalWord = 1;
constexpr std::int32_t kRemainingWord = 2;
constexpr std::int32_t kStateWord = 3;
constexpr std::int32_t kWaiting = 0;
constexpr std::int32_t kLoading = 1;
constexpr std::int32_t kLoadSteps = 4;
constexpr std::int32_t kSpriteLoadBudget = 300;
constexpr std::int32_t kLoadedEvent = 341;
constexpr std::int32_t kController = 0;
constexpr std::int32_t kControllerEvent = 286;

void SetWord(std::int32_t codeSlot, std::int32_t word, std::int32_t value) {
    AZ_Presenter_Singleton::setCodeSlotValue(codeSlot + word, value);
}

}  // namespace

std::int32_t AZ_GetLevelLoadStepsLeft() {
    return kLoadSteps - AZ_Client::getInstance()->getAdapter()->getLoadStep();
}

void AZ_EnableView() {
    AZ_Client::getInstance()->getCamera()->SetViewEnabled(true);
    if (CKeyMgr* keys = CGameApp::GetKeyMgr()) keys->SetPointerFlags(0);
}

void b_loader_attach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loader), __LINE__);
    SetWord(codeSlot, kStateWord, kWaiting);
}

void b_loader_update(AZ_Presenter* presenter, std::int32_t codeSlot, std::int32_t) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loader), __LINE__);
    AZ_Client* client = AZ_Client::getInstance();
    SZ_Pool* pool = client->getSpritePool();
    const std::int32_t pending = pool->getPendingLoadCount();
    const std::int32_t remaining = pending + AZ_GetLevelLoadStepsLeft();
    SetWord(codeSlot, kRemainingWord, remaining);
    const std::int32_t state = AZ_Presenter_Singleton::getCodeSlotValue(codeSlot + kStateWord);
    if (state == kWaiting) {
        // The update that finds work only counts it.
        if (remaining > 0) {
            SetWord(codeSlot, kStateWord, kLoading);
            SetWord(codeSlot, kTotalWord, remaining);
        }
        return;
    }
    if (state != kLoading) return;
    if (remaining == 0) {
        presenter->detach(kId);
        AZ_EnableView();
        // The controller hears of it only while this character lives on.
        const AZ_HeldCharacter self(presenter);
        if (!AZ_SendEventHolding(self, self, kLoadedEvent)) return;
        const std::int32_t controller = client->findCharacterByType(kController);
        if (controller != -1) client->raiseEvent(controller, kControllerEvent);
        return;
    }
    if (remaining < 0) return;
    if (pending > 0) {
        pool->processLoadQueue(kSpriteLoadBudget);
    } else {
        client->getAdapter()->loadLevelStep();
    }
}

void b_loader_detach(AZ_Presenter* presenter, std::int32_t codeSlot) {
    AZ_CheckInstance(kId, presenter, codeSlot, AZ_UNIT_SOURCE(b_loader), __LINE__);
}
