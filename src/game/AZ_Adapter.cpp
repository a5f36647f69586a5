#include "src/game/AZ_Adapter.h"

#include <new>
#include <string_view>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/Printf.h"
#include "platform/shared/core/Wrap.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "platform/shared/graphics/2d/CImage.h"
#include "src/CFontMgr.h"
#include "src/CGameApp.h"
#include "src/COptionsMgr.h"
#include "src/CResMgr.h"
#include "src/CSaveGameMgr.h"
#include "src/LocalWidgets/CTextWidget.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
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

constexpr std::int32_t kNumberFont = 2;
// Bottom right: the number ends at its point.
constexpr std::int32_t kNumberAlignment = 73;
constexpr std::uint8_t kSoundPriority = 255;

// Whether the format's conversions ("%%" aside) are at most one integer
// conversion: texts from the archive are formatted with one number, and
// any other conversion would read what was never passed.
bool TakesOneInteger(const char16_t* format) {
    constexpr std::u16string_view kFlags = u"-+ #0", kIntegers = u"diuxXoc";
    int conversions = 0;
    for (const char16_t* c = format; *c != 0; ++c) {
        if (*c != u'%') continue;
        if (*++c == u'%') continue;
        while (*c != 0 && kFlags.find(*c) != std::u16string_view::npos) ++c;
        while (*c >= u'0' && *c <= u'9') ++c;
        if (*c == u'.') {
            ++c;
            while (*c >= u'0' && *c <= u'9') ++c;
        }
        if (*c == u'h' || *c == u'l') ++c;
        if (*c == 0 || kIntegers.find(*c) == std::u16string_view::npos) return false;
        ++conversions;
    }
    return conversions <= 1;
}

// device.conf's text for the script string, or null.
const char16_t* OverrideText(std::int32_t id) {
    const CGameApp* app = CGameApp::GetInstance();
    if (app == nullptr) return nullptr;
    CDeviceConfig::Text which;
    switch (id) {
        case 12: which = CDeviceConfig::kString12; break;
        case 30: which = CDeviceConfig::kString30; break;
        case 60: which = CDeviceConfig::kString60; break;
        case 70: which = CDeviceConfig::kString70; break;
        case 146: which = CDeviceConfig::kString146; break;
        case 172: which = CDeviceConfig::kString172; break;
        case 176: which = CDeviceConfig::kString176; break;
        default: return nullptr;
    }
    return app->GetDeviceConfig().GetText(which);
}

CGraphicFont* Font(std::int32_t n) {
    CFontMgr* fonts = CGameApp::GetFontMgr();
    return fonts != nullptr ? fonts->GetFont(n) : nullptr;
}

// The characters, presenters and camera of a level, forgotten at once.
void ResetWorld() {
    AZ_Client* client = AZ_Client::getInstance();
    client->getCamera()->Reset();
    client->reset();
    if (AZ_Presenter_Singleton* store = AZ_Presenter_Singleton::getInstance()) store->reset();
}

}  // namespace

AZ_Adapter::AZ_Adapter() {
    for (std::int32_t i = 0; i < AZ_TEXT_POOL_SIZE; ++i) {
        m_textPool[i] = new (std::nothrow) CTextWidget();
        m_textIds[i] = -1;
    }
}

AZ_Adapter::~AZ_Adapter() {
    releaseTexts();
    releaseSounds();
    if (m_numberFormat != nullptr) CGameApp::GetResMgr()->Release(AZ_NUMBER_FORMAT, 0);
    for (CTextWidget* widget : m_textPool) delete widget;
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
    if (controller != -1) {
        // A handler may end the controller (or start a level again, which
        // makes another): the later events are for this one only.
        const AZ_HeldCharacter held(AZ_Presenter::getPresenter(controller));
        const std::int32_t intro = AZ_LevelIntroTable[scriptLevel] == 1 ? kIntroEvent : kNoIntroEvent;
        if (AZ_SendEventHolding(held, held, kLevelEvent) && AZ_SendEventHolding(held, held, intro)) {
            AZ_SendEventHolding(held, held, kFirstScriptLevelEvent + scriptLevel);
        }
    }
    m_currentLevel = level;
}

void AZ_Adapter::unloadLevel() {
    releaseTexts();
    releaseSounds();
    ResetWorld();
}

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

std::int32_t AZ_Adapter::findText(std::int32_t id) const {
    for (std::int32_t i = 0; i < AZ_TEXT_POOL_SIZE; ++i) {
        if (m_textIds[i] == id) return i;
    }
    return -1;
}

void AZ_Adapter::acquireText(std::int32_t id) {
    CResMgr* resources = CGameApp::GetResMgr();
    const char16_t* text = resources != nullptr ? resources->GetText(AZ_FIRST_STRING + static_cast<std::uint32_t>(id), 0)
                                                : nullptr;
    for (std::int32_t i = 0; i < AZ_TEXT_POOL_SIZE; ++i) {
        if (m_textIds[i] == id) return;
        if (m_textIds[i] != -1) continue;
        m_textIds[i] = id;
        m_texts[i] = text;
        if (m_textPool[i] != nullptr) {
            m_textPool[i]->SetTransparent(true);
            m_textPool[i]->SetText(text);
        }
        return;
    }
    DebugPrintf("[ ERROR ] - Out of text pool ");
}

void AZ_Adapter::releaseText(std::int32_t id) {
    const std::int32_t slot = findText(id);
    if (slot != -1) {
        m_textIds[slot] = -1;
        m_texts[slot] = nullptr;
        if (m_textPool[slot] != nullptr) m_textPool[slot]->SetText(nullptr);
    }
    CResMgr* resources = CGameApp::GetResMgr();
    if (resources == nullptr) return;
    // A string bound in two slots keeps its text for the other one.
    const std::uint32_t resource = AZ_FIRST_STRING + static_cast<std::uint32_t>(id);
    if (findText(id) != -1) {
        resources->Release(resource, 0);
    } else {
        resources->Free(resource, 1);
    }
}

void AZ_Adapter::releaseTexts() {
    for (std::int32_t i = 0; i < AZ_TEXT_POOL_SIZE; ++i) {
        if (m_textIds[i] != -1) releaseText(m_textIds[i]);
    }
}

CTextWidget* AZ_Adapter::prepareText(std::int32_t font, std::int32_t id) {
    const std::int32_t slot = findText(id);
    CTextWidget* widget = slot != -1 ? m_textPool[slot] : nullptr;
    if (widget == nullptr) return nullptr;
    widget->SetFont(Font(font));
    const char16_t* shown = OverrideText(id);
    widget->SetText(shown != nullptr ? shown : m_texts[slot]);
    return widget;
}

std::int32_t AZ_Adapter::layoutText(std::int32_t font, std::int32_t id, std::int32_t firstLine, std::int32_t width,
                                    std::int32_t height) {
    CTextWidget* widget = prepareText(font, id);
    if (widget == nullptr) return 1;
    const CRect rect(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
    widget->SetLocalRect(rect);
    widget->SetScreenRect(rect);
    const std::int64_t hidden = std::int64_t{getFontHeight(font)} * firstLine;
    return widget->GetMeasuredHeight() - hidden > height ? 0 : 1;
}

void AZ_Adapter::drawTextBox(std::int32_t, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                             std::int32_t font, std::int32_t id, std::int32_t firstLine, std::int32_t alignA,
                             std::int32_t alignB, std::int32_t, std::int32_t, std::int32_t number) {
    CTextWidget* widget = prepareText(font, id);
    if (widget == nullptr) return;
    widget->SetTransparent(true);
    widget->SetAlignment(static_cast<std::uint32_t>(alignA | alignB));
    widget->SetClipOffsetY(WrapMul32(firstLine, getFontHeight(font)));
    if (number != -1) {
        const char16_t* shown = OverrideText(id);
        const char16_t* format = shown != nullptr ? shown : m_texts[findText(id)];
        if (format != nullptr && TakesOneInteger(format)) {
            SWNPrintf(m_formatBuffer, std::size(m_formatBuffer), format, number);
            widget->SetText(m_formatBuffer);
        }
    }
    const CRect rect(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(width),
                     static_cast<std::int16_t>(height));
    widget->SetLocalRect(rect);
    widget->SetScreenRect(rect);
    widget->Paint();
}

std::int32_t AZ_Adapter::getFontHeight(std::int32_t font) {
    const CGraphicFont* f = Font(font);
    return f != nullptr ? f->GetHeight() : 0;
}

void AZ_Adapter::drawNumber(std::int32_t, std::int32_t number, std::int32_t x, std::int32_t y) {
    CResMgr* resources = CGameApp::GetResMgr();
    if (m_numberFormat == nullptr && resources != nullptr) m_numberFormat = resources->GetText(AZ_NUMBER_FORMAT, 0);
    const CGraphicFont* font = Font(kNumberFont);
    if (m_numberFormat == nullptr || font == nullptr || !TakesOneInteger(m_numberFormat)) return;
    char16_t text[32];
    const int length = SWNPrintf(text, std::size(text), m_numberFormat, number);
    const CRect rect(0, 0, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
    font->DrawString(text, length, &rect, x, y, kNumberAlignment);
}

std::int32_t AZ_Adapter::playSound(std::int32_t n) {
    CResMgr* resources = CGameApp::GetResMgr();
    if (n < 1 || n > AZ_SOUND_COUNT || resources == nullptr) return -1;
    // One hold per sound while the level lasts, however often it plays.
    CBinRes*& sound = m_sounds[n - 1];
    if (sound == nullptr) sound = resources->GetSound(AZ_SoundTable[n - 1], 0);
    if (sound == nullptr) return -1;
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    return player != nullptr
               ? static_cast<std::int32_t>(player->PlaySound(sound->GetPayload(), sound->GetPayloadSize(), 0, kSoundPriority))
               : 0;
}

void AZ_Adapter::releaseSounds() {
    CResMgr* resources = CGameApp::GetResMgr();
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    for (std::int32_t n = 0; n < AZ_SOUND_COUNT; ++n) {
        if (m_sounds[n] == nullptr) continue;
        if (player != nullptr) player->StopSoundsUsing(m_sounds[n]->GetPayload());
        resources->Release(AZ_SoundTable[n], 0);
        m_sounds[n] = nullptr;
    }
}

bool AZ_Adapter::isSoundPlaying(std::int32_t id) {
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    return player != nullptr && player->IsSoundPlaying(static_cast<std::uint32_t>(id));
}

void AZ_Adapter::stopSound(std::int32_t id) {
    if (ICMediaPlayer* player = ICMediaPlayer::GetInstance()) player->StopSound(static_cast<std::uint32_t>(id));
}

std::int32_t AZ_Adapter::vibrate(std::int32_t durationMs) {
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    return player != nullptr
               ? static_cast<std::int32_t>(player->Vibrate(static_cast<std::uint32_t>(durationMs), kSoundPriority))
               : 0;
}

bool AZ_Adapter::isVibrating(std::int32_t id) {
    ICMediaPlayer* player = ICMediaPlayer::GetInstance();
    return player != nullptr && player->IsVibrating(static_cast<std::uint32_t>(id));
}

void AZ_Adapter::stopVibration(std::int32_t id) {
    if (ICMediaPlayer* player = ICMediaPlayer::GetInstance()) player->StopVibrate(static_cast<std::uint32_t>(id));
}

bool AZ_Adapter::isSoundOn() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return options != nullptr && options->IsSoundOn() != 0;
}

bool AZ_Adapter::isVibrationOn() {
    const COptionsMgr* options = CGameApp::GetOptionsMgr();
    return options != nullptr && options->IsVibrationOn() != 0;
}

void AZ_Adapter::setSoundOn(bool on) {
    COptionsMgr* options = CGameApp::GetOptionsMgr();
    if (options == nullptr) return;
    if (ICMediaPlayer* player = ICMediaPlayer::GetInstance()) player->SetSoundEnabled(on ? 1 : 0);
    options->SetSoundOn(on ? 1 : 0);
    options->Save();
}

void AZ_Adapter::setVibrationOn(bool on) {
    COptionsMgr* options = CGameApp::GetOptionsMgr();
    if (options == nullptr) return;
    options->SetVibrationOn(on ? 1 : 0);
    if (ICMediaPlayer* player = ICMediaPlayer::GetInstance()) player->SetVibrationEnabled(on ? 1 : 0);
    options->Save();
}

bool AZ_Adapter::hasSavedGame() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    return saves != nullptr && saves->IsStarted() != 0;
}

void AZ_Adapter::setSavedGame(bool started) {
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    if (saves == nullptr) return;
    saves->SetStarted(started ? 1 : 0);
    saves->Save();
}

std::int32_t AZ_Adapter::getUnlockedLevel() {
    const CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    return saves != nullptr ? saves->GetLevelReached() : 0;
}

std::int32_t AZ_Adapter::getSelectedCharacter() {
    return m_services != nullptr ? m_services->getSavedCharacter() : 0;
}

void AZ_Adapter::saveProgress(std::int32_t level) {
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    if (saves == nullptr) return;
    if (saves->IsStarted() == 0) {
        saves->SetStarted(1);
        saves->Save();
    }
    if (saves->GetLevelReached() < level) saves->SetLevelReached(level);
    saves->SetCharacter(m_selectedCharacter);
    saves->Save();
}

void AZ_Adapter::resetSaveData() {
    CSaveGameMgr* saves = CGameApp::GetSaveGameMgr();
    if (saves == nullptr) return;
    saves->SetLevelReached(0);
    saves->SetStarted(0);
    saves->Save();
}
