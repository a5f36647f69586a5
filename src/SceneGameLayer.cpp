#include "src/SceneGameLayer.h"

#include <new>

#include "src/CGameScreen.h"
#include "src/actionZel/AZ_Client.h"
#include "src/game/AZ_Adapter.h"

namespace scenes {

namespace {

AZ_Adapter* Adapter() {
    AZ_Client* client = AZ_Client::getInstance();
    return client != nullptr ? client->getAdapter() : nullptr;
}

}  // namespace

CNode* NewGameScreen() { return new (std::nothrow) CGameScreen(); }

std::int32_t UnlockedLevel() {
    AZ_Adapter* adapter = Adapter();
    return adapter != nullptr ? adapter->getUnlockedLevel() : 0;
}

std::int32_t SelectedCharacter() {
    AZ_Adapter* adapter = Adapter();
    return adapter != nullptr ? adapter->getSelectedCharacter() : 0;
}

void SelectCharacter(std::int32_t character) {
    if (AZ_Adapter* adapter = Adapter()) adapter->setSelectedCharacter(character);
}

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
    if (AZ_Adapter* adapter = Adapter()) adapter->resetSaveData();
}

}  // namespace scenes
