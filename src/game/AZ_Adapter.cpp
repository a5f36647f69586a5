#include "src/game/AZ_Adapter.h"

#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/game/AZ_AdapterServices.h"
#include "src/game/LevelManager.h"
#include "src/game/MapManager.h"

namespace {

constexpr char kSourcePath[] = "AZ_Adapter";
constexpr std::int32_t kLevels = 16;
constexpr std::int32_t kController = 0;
constexpr std::int32_t kLevelEvent = 287;
constexpr std::int32_t kIntroEvent = 386;
constexpr std::int32_t kNoIntroEvent = 387;
constexpr std::int32_t kFirstScriptLevelEvent = 261;

// The characters, presenters and camera of a level, forgotten at once.
void ResetWorld() {
    AZ_Client* client = AZ_Client::getInstance();
    client->getCamera()->Reset();
    client->reset();
    if (AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance()) store->reset();
}

}  // namespace

AZ_Adapter::~AZ_Adapter() {
    freeMap();
    freeTileset();
}

void AZ_Adapter::startLevel(std::int32_t level) {
    if (level < 0 || level >= kLevels) {
        DebugPrintf("[ AZ ][ ERROR ] - AZ_Adapter : No level %d", level);
        return;
    }
    m_started = 1;
    std::int32_t character = m_services != nullptr ? m_services->getSavedCharacter() : 0;
    if (character != 1) character = 0;
    const std::int32_t scriptLevel = AZ_LevelTable[character][level];
    unloadLevel();

    AZ_Client* client = AZ_Client::getInstance();
    std::int32_t controller = client->getPresenterOfRow(client->findCharacterByType(kController));
    if (controller == -1) {
        AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance();
        AZ_Presenter* presenter = store != nullptr ? store->createPresenter(kController, 0, 0) : nullptr;
        if (presenter != nullptr && client->spawnCharacter(presenter) != -1) controller = presenter->getId();
    }
    client->sendEvent(controller, kLevelEvent);
    client->sendEvent(controller, AZ_LevelIntroTable[scriptLevel] == 1 ? kIntroEvent : kNoIntroEvent);
    client->sendEvent(controller, kFirstScriptLevelEvent + scriptLevel);
    m_currentLevel = level;
}

void AZ_Adapter::unloadLevel() { ResetWorld(); }

void AZ_Adapter::retryCurrentLevel() {
    unloadLevel();
    startLevel(m_currentLevel);
}

void AZ_Adapter::releaseLevel() {
    if (m_started == 0) return;
    m_started = 0;
    freeMap();
    freeTileset();
    m_tilesetNumber = -1;
    ResetWorld();
}

void AZ_Adapter::loadTileset(std::uint32_t imageId) {
    m_tileset = m_services != nullptr ? m_services->createImage(imageId) : nullptr;
    m_tilesetId = m_tileset != nullptr ? imageId : 0;
    if (m_tileset == nullptr) DebugPrintf("[ AZ ][ ERROR ] - AZ_Adapter : Missing tileset 0x%08X", imageId);
}

void AZ_Adapter::freeTileset() {
    delete m_tileset;
    m_tileset = nullptr;
    m_tilesetId = 0;
}

void AZ_Adapter::loadTilesetNumber(std::int32_t number) {
    if (number == m_tilesetNumber) return;
    freeMap();
    freeTileset();
    loadTileset(AZ_TILESET_RESOURCE + static_cast<std::uint32_t>(number));
    m_tilesetNumber = m_tileset != nullptr ? number : -1;
}

void AZ_Adapter::loadMapAndCamera(std::uint32_t mapId) {
    freeMap();
    MapManager::loadMap(mapId);
    std::int32_t width, height;
    if (!AZ_GetSurfaceSize(&width, &height)) {
        DebugPrintf("[ AZ ][ ERROR ] - (Graphics) : Error initialising graphics");
        DebugAssert(false, kSourcePath, __LINE__);
    }
    AZ_Client::getInstance()->getCamera()->SetupForMap(width, height, m_map.layerCount);
}

void AZ_Adapter::loadLevel(std::int32_t entities, std::int32_t map, std::int32_t tileset) {
    m_started = 1;
    m_loaded = 1;
    loadTilesetNumber(tileset);
    loadMapAndCamera(AZ_MAP_RESOURCE + static_cast<std::uint32_t>(map));
    LevelManager::loadEntities(AZ_ENTITY_LIST_RESOURCE + static_cast<std::uint32_t>(entities));
}

void AZ_Adapter::setPendingLevel(std::int32_t entities, std::int32_t map, std::int32_t tileset) {
    m_loadStep = 0;
    m_requestedEntities = entities;
    m_requestedMap = map;
    m_requestedTileset = tileset;
    m_loaded = 0;
}

void AZ_Adapter::loadLevelStep() {
    switch (m_loadStep) {
        case 0:
            loadTilesetNumber(m_requestedTileset);
            m_loadStep = 1;
            break;
        case 1:
            loadMapAndCamera(AZ_MAP_RESOURCE + static_cast<std::uint32_t>(m_requestedMap));
            m_loadStep = 2;
            break;
        case 2:
            LevelManager::loadEntities(AZ_ENTITY_LIST_RESOURCE + static_cast<std::uint32_t>(m_requestedEntities));
            m_loadStep = 3;
            break;
        case 3:
            m_loadStep = 4;
            break;
        default:
            break;
    }
    if (m_loadStep == 4) m_loaded = 1;
}

std::int32_t AZ_Adapter::randomRange(std::int32_t lo, std::int32_t hi) {
    const std::uint32_t span = static_cast<std::uint32_t>(hi) + 1u - static_cast<std::uint32_t>(lo);
    if (span == 0) return lo;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(lo) + m_random.Next() % span);
}

std::int32_t AZ_Adapter::pixelToWorld(std::int32_t v) { return Low32(std::int64_t{v} * 1024 / 24); }
