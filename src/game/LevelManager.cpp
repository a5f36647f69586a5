#include "src/game/LevelManager.h"

#include <algorithm>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/core/Debug.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_AdapterServices.h"

namespace {

constexpr std::int32_t kTileCollidable = 7;
constexpr std::int32_t kRecordBytes = 6;

std::int32_t Word(const std::uint8_t* at) { return at[0] | at[1] << 8; }

}  // namespace

void LevelManager::spawnEntities(const std::uint8_t* data, std::uint32_t size) {
    const std::int32_t declared = size >= 2 ? static_cast<std::int16_t>(Word(data)) : 0;
    DebugPrintf("LevelManager.loadEntities() : entityCount = %d", declared);
    const std::int64_t present = size >= 2 ? (std::int64_t{size} - 2) / kRecordBytes : 0;
    const auto count = static_cast<std::int32_t>(std::min<std::int64_t>(std::max(declared, 0), present));
    if (count < declared) DebugPrintf("LevelManager.loadEntities() : only %d entities present", count);

    AZ_Client* client = AZ_Client::getInstance();
    AZ_Adapter* adapter = client->getAdapter();
    AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* record = data + 2 + kRecordBytes * i;
        const std::int32_t word = Word(record);
        const std::int32_t type = word & 0x7FFF;
        const std::uint8_t left = (word & 0x8000) != 0 ? 1 : 0;
        const std::int32_t px = Word(record + 2), py = Word(record + 4);
        DebugPrintf("LevelManager.loadEntities() : entityDir = %d", left);
        DebugPrintf("LevelManager.loadEntities() : entityID = %d", type);
        DebugPrintf("LevelManager.loadEntities() : entityPX = %d, entityPY = %d", px, py);
        const std::int32_t x = px * 1024 / 24, y = py * 1024 / 24;

        AZ_Presenter* presenter = store != nullptr ? store->createPresenter(type, x, y) : nullptr;
        if (presenter == nullptr) {
            DebugPrintf("LevelManager.loadEntities() : entity %d skipped, no presenter", i);
            continue;
        }
        DebugPrintf("LevelManager.loadEntities() : presenterID = %d", presenter->getId());
        presenter->setFacing(left);
        // The entry's script may destroy the character, and a character it
        // spawns take the presenter: the placement is for the entry only.
        const AZ_HeldCharacter character(presenter);
        const std::int32_t row = client->spawnCharacter(presenter);
        if (row == -1) {
            DebugPrintf("LevelManager.loadEntities() : entity %d skipped, no character", i);
            continue;
        }
        AZ_Presenter::update(presenter, 0);
        if (!character.held()) {
            DebugPrintf("LevelManager.loadEntities() : entity %d gone at its first update", i);
            continue;
        }
        if (presenter->findCodeSlot(kTileCollidable) != -1 && adapter->testMapCollision(x, y, 1, 1, y + 1024)) {
            presenter->setY(adapter->getCollisionY());
        }
        presenter->setUpdateEnabled(false);
        presenter->setRenderEnabled(false);
        DebugPrintf("LevelManager.loadEntities() : clientID = %d", row);
    }
}

void LevelManager::loadEntities(std::uint32_t resourceId) {
    AZ_AdapterServices* services = AZ_Client::getInstance()->getAdapter()->getServices();
    const CBinRes* resource = services != nullptr ? services->getData(resourceId) : nullptr;
    if (resource == nullptr) {
        DebugPrintf("[ LevelManager ] - Missing entity list 0x%08X", resourceId);
        return;
    }
    spawnEntities(resource->GetPayload(), resource->GetPayloadSize());
    services->releaseData(resourceId);
}
