#include "src/SceneGameLayer.h"

#include <new>

#include "src/CGameApp.h"
#include "src/CNode.h"
#include "src/CSaveGameMgr.h"
#include "src/LocalWidgets/CUIWidget.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"

namespace scenes {

namespace {

AZ_Adapter* Adapter() {
    AZ_Client* client = AZ_Client::getInstance();
    return client != nullptr ? client->getAdapter() : nullptr;
}

// Until the game screen exists: a screen that shows nothing and asks for
// the pause on back or the right soft key, as the game screen does.
class PlaceholderGameScreen : public CNode {
public:
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t /*param2*/) override {
        if (id != EVENT_KEY_PRESS || (param1 != CUIWidget::kKeyBack && param1 != CUIWidget::kKeyRightSoft)) return 0;
        SetResult(2);
        return 1;
    }
};

std::int32_t g_selectedCharacter = 0;

}  // namespace

CNode* NewGameScreen() { return new (std::nothrow) PlaceholderGameScreen(); }

std::int32_t UnlockedLevel() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    return saves != nullptr ? saves->GetLevelReached() : 0;
}

std::int32_t SelectedCharacter() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    return saves != nullptr ? saves->GetCharacter() : 0;
}

void SelectCharacter(std::int32_t character) { g_selectedCharacter = character; }

void SelectLevel(std::int32_t level) {
    if (AZ_Adapter* adapter = Adapter()) adapter->setSelectedLevel(level);
}

std::int32_t SelectedLevel() {
    const AZ_Adapter* adapter = Adapter();
    return adapter != nullptr ? adapter->getSelectedLevel() : 0;
}

std::int32_t CurrentLevel() {
    const AZ_Adapter* adapter = Adapter();
    return adapter != nullptr ? adapter->getCurrentLevel() : 0;
}

void StartLevel(std::int32_t level) {
    if (AZ_Adapter* adapter = Adapter()) adapter->startLevel(level);
}

void RetryLevel() {
    if (AZ_Adapter* adapter = Adapter()) adapter->retryCurrentLevel();
}

void ReleaseLevel() {
    if (AZ_Adapter* adapter = Adapter()) adapter->releaseLevel();
}

void ResetSaveData() {
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    if (saves == nullptr) return;
    saves->SetLevelReached(0);
    saves->SetStarted(0);
    saves->Save();
}

}  // namespace scenes
