#include "src/CGameApp.h"

#include <new>

#include "host/Window.h"
#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/CFileInputStream.h"
#include "platform/shared/components/CStrWChar.h"
#include "platform/shared/components/FileUtil.h"
#include "platform/shared/components/ICFileMgr.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/core/CRandGen.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/ICCore.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/CGraphicFont.h"
#include "platform/shared/graphics/2d/CTextParser.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/CAppProperties.h"
#include "src/CFontMgr.h"
#include "src/CGameData.h"
#include "src/CKeyMgr.h"
#include "src/COptionsMgr.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/CSaveGameMgr.h"
#include "src/LocalWidgets/CSoftkeyWidget.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"

namespace {

constexpr const char* kSource = "CGameApp";
constexpr std::int32_t kEndKey = 20;

constexpr char16_t kNoArchive[] =
    u"The game's data file velkorin.big is missing or damaged. Put it beside the program, or name its "
    u"directory with --game-dir.";
constexpr char16_t kNoMemory[] = u"There is not enough memory to start the game.";

ICMediaPlayer* Media() { return ICMediaPlayer::GetInstance(); }

}  // namespace

CAppExecutor* CreateAppExecutor() { return new (std::nothrow) CAppExecutor(); }

CHash* CreateSingletonTable() {
    auto* table = new (std::nothrow) CHash();
    if (table != nullptr && !table->Init(20, 20, true)) {
        delete table;
        table = nullptr;
    }
    return table;
}

CGameApp::~CGameApp() { CGameApp::Shutdown(); }

CKeyMgr* CGameApp::GetKeyMgr() { return GetInstance() != nullptr ? GetInstance()->m_keyMgr : nullptr; }
COptionsMgr* CGameApp::GetOptionsMgr() { return GetInstance() != nullptr ? GetInstance()->m_options : nullptr; }
CRandGen* CGameApp::GetRandGen() { return GetInstance() != nullptr ? GetInstance()->m_random : nullptr; }
CResMgr* CGameApp::GetResMgr() { return GetInstance() != nullptr ? GetInstance()->m_resources : nullptr; }
CFontMgr* CGameApp::GetFontMgr() { return GetInstance() != nullptr ? GetInstance()->m_fonts : nullptr; }
CSaveGameMgr* CGameApp::GetSaveGameMgr() { return GetInstance() != nullptr ? GetInstance()->m_saves : nullptr; }
CGameData* CGameApp::GetGameData() { return GetInstance() != nullptr ? GetInstance()->m_gameData : nullptr; }
CSoftwareBlitter* CGameApp::GetBlitter() { return GetInstance() != nullptr ? GetInstance()->m_blitter : nullptr; }
SZ_Home* CGameApp::GetSpriteHome() { return GetInstance() != nullptr ? GetInstance()->m_spriteHome : nullptr; }

std::int32_t CGameApp::Startup() {
    SetSingletonTable(CreateSingletonTable());
    SetExecutor(CreateAppExecutor());
    if (GetExecutor() != nullptr) GetExecutor()->Init();
    ICFileMgr::GetInstance();
    ICMediaPlayer::GetInstance();
    m_random = new (std::nothrow) CRandGen();
    m_keyMgr = new (std::nothrow) CKeyMgr(m_config);
    m_options = new (std::nothrow) COptionsMgr();
    m_resources = new (std::nothrow) CResMgr();
    m_fonts = new (std::nothrow) CFontMgr();
    m_saves = new (std::nothrow) CSaveGameMgr();
    CAppProperties::GetInstance();
    m_gameData = new (std::nothrow) CGameData();
    ICRenderSurface* surface = nullptr;
    if (ICGraphics2d* graphics = ICGraphics2d::GetInstance()) {
        graphics->Init();
        graphics->SetColourARGB(1024, 0, 0, 0);
        surface = graphics->GetRenderSurface();
    }
    // Every Draw binds the blitter to that frame's buffer.
    m_blitter = new (std::nothrow) CSoftwareBlitter();
    if (m_blitter != nullptr) m_blitter->Init(surface != nullptr ? surface->GetPixelFormat() : 0, nullptr, 0);
    m_spriteHome = new (std::nothrow) SZ_Home();
    m_root = new (std::nothrow) CRootNode();
    m_config.ReadDeviceConfig();
    m_config.ReadSoftkeyConfig();
    CSoftkeyWidget::SetOffsets({m_config.lskPortraitX, m_config.rskPortraitX, m_config.lskLandscapeX,
                                m_config.rskLandscapeX});
    return 0;
}

void CGameApp::Start() {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    if (GetExecutor() == nullptr || m_random == nullptr || m_keyMgr == nullptr || m_options == nullptr ||
        m_resources == nullptr || m_fonts == nullptr || m_saves == nullptr || m_gameData == nullptr ||
        m_blitter == nullptr || m_spriteHome == nullptr || m_root == nullptr || ICFileMgr::GetInstance() == nullptr || Media() == nullptr ||
        CAppProperties::GetInstance() == nullptr || graphics == nullptr || graphics->GetRenderSurface() == nullptr) {
        EndStart(kNoMemory);
        return;
    }
    CStrWChar path;
    MakeResourcePath(path, u"velkorin.big");
    if (m_resources->Open(path.GetBuffer()) != 1) {
        // Reported as the broken invariant it is, but the player gets a
        // message and an orderly end instead of a stop.
        DebugPrintf("ASSERT FAILED - File: %s, Line: %i", kSource, 1050);
        EndStart(kNoArchive);
        return;
    }
    m_resources->SelectLanguage(0);
    LoadProperties();
    const CAppProperties* properties = CAppProperties::GetInstance();
    m_resources->SetShowTextIds(properties->GetBool("Zel-Test-Localisation") ? 1 : 0);
    m_cheatsEnabled = properties->GetBool("Zel-Cheats-Enable") ? 1 : 0;
    DebugPrintf("[ ***actionZel*** ] CGameApp::Init ... ");

    // The runtime keeps the script's payload: the resource is held until
    // the runtime is gone.
    m_script = m_resources->GetData(kScriptId, 0);
    m_client = new (std::nothrow) AZ_Client(m_script != nullptr ? m_script->GetPayload() : nullptr,
                                            m_script != nullptr ? m_script->GetPayloadSize() : 0);
    if (m_client != nullptr) {
        m_client->getAdapter()->setServices(&m_adapterServices);
        m_store = new (std::nothrow) AZ_Presenter_Singleton();
    }
    if (m_store == nullptr || !m_store->init(kPresenterCount)) {
        EndStart(kNoMemory);
        return;
    }

    const std::uint8_t loadedOptions = m_options->Load();
    const std::uint8_t loadedProgress = m_saves->Load();
    if (loadedOptions == 0 || loadedProgress == 0) m_storageWarning = 1;
    if (m_config.disableSound != 0) m_options->SetSoundOn(0);
    if (m_config.disableVibration != 0) m_options->SetVibrationOn(0);
    if (loadedOptions != 0 && loadedProgress != 0) {
        const std::uint8_t savedOptions = m_options->Save();
        const std::uint8_t savedProgress = m_saves->Save();
        if (savedOptions == 0 || savedProgress == 0) m_storageWarning = 1;
    }
    Media()->SetSoundEnabled(m_options->IsSoundOn());
    Media()->SetVibrationEnabled(m_options->IsVibrationOn());

    // Broken sprite data leaves the home unconstructed, with a line; the
    // game goes on and draws no sprites.
    m_spriteHome->Construct();
    m_root->Init();
    GetExecutor()->Start();
    UpdateLandscapeFlag();
    // Both orientations start as the screen is, so that a resume before the
    // first suspend compares with something.
    m_orientationAtDeactivation = m_landscape;
    m_orientationAtActivation = m_landscape;
    m_runState = m_landscape != 0 ? kInterrupted : kRunning;
}

void CGameApp::LoadProperties() {
    CAppProperties* properties = CAppProperties::GetInstance();
    CStrWChar path;
    MakeResourcePath(path, u"properties.dat");
    CFileInputStream file;
    if (file.Open(path.GetBuffer()) == 1) {
        properties->Load(file);
        return;
    }
    const CBinRes* data = m_resources->GetData(kPropertiesId, 0);
    if (data == nullptr) return;
    CArrayInputStream stream;
    if (stream.SetData(data->GetPayload(), data->GetPayloadSize()) == 1) properties->Load(stream);
    m_resources->Release(kPropertiesId, 0);
}

void CGameApp::EndStart(const char16_t* message) {
    MessageBoxW(nullptr, message, u"Game", MB_ICONERROR);
    if (ICCore* core = ICCore::GetInstance()) core->Quit(0);
    // The last quit message's code is the program's.
    PostQuitMessage(1);
}

void CGameApp::Shutdown() {
    delete m_root;
    m_root = nullptr;
    if (GetSingletonTable() != nullptr) delete ICGraphics2d::GetInstance();
    delete m_blitter;
    m_blitter = nullptr;
    delete m_spriteHome;
    m_spriteHome = nullptr;
    delete m_client;
    m_client = nullptr;
    if (m_store != nullptr) m_store->release();
    delete m_store;
    m_store = nullptr;
    if (m_script != nullptr) m_resources->Release(kScriptId, 0);
    m_script = nullptr;
    delete m_gameData;
    m_gameData = nullptr;
    delete m_saves;
    m_saves = nullptr;
    delete m_fonts;
    m_fonts = nullptr;
    if (GetSingletonTable() != nullptr) delete CAppProperties::GetInstance();
    delete m_resources;
    m_resources = nullptr;
    delete m_options;
    m_options = nullptr;
    delete m_keyMgr;
    m_keyMgr = nullptr;
    delete m_random;
    m_random = nullptr;
    delete GetExecutor();
    SetExecutor(nullptr);
    FreeSingletonTable();
    m_config.FreeBuffers();
    CSoftkeyWidget::SetOffsets({});
}

void CGameApp::Tick() {
    if (CAppExecutor* executor = GetExecutor()) executor->Tick();
}

std::uint8_t CGameApp::HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) {
    CAppExecutor* executor = GetExecutor();
    switch (id) {
        case EVENT_START:
            Start();
            return 1;
        case EVENT_RESUME:
        case EVENT_RESUME_2:
            UpdateLandscapeFlag();
            m_orientationAtActivation = m_landscape;
            if (m_orientationAtActivation != m_orientationAtDeactivation) {
                m_runState = m_landscape != 0 ? kInterrupted : kRunning;
            }
            if (m_keyMgr != nullptr) m_keyMgr->HandleEvent(id, param1, param2);
            if (Media() != nullptr) Media()->ResumeAll();
            if (m_root != nullptr) m_root->HandleEvent(id, param1, param2);
            if (executor != nullptr) executor->Resume();
            return 1;
        case EVENT_SUSPEND:
        case EVENT_PAUSE_REQUEST_2:
            m_orientationAtDeactivation = m_landscape;
            if (m_keyMgr != nullptr) m_keyMgr->HandleEvent(id, param1, param2);
            if (Media() != nullptr) Media()->PauseAll();
            if (m_root != nullptr) m_root->HandleEvent(id, param1, param2);
            if (executor != nullptr) executor->Pause();
            return 1;
        case EVENT_CLOSE:
            if (m_root != nullptr) m_root->Exit();
            if (Media() != nullptr) {
                Media()->StopSound(0);
                Media()->StopVibrate(0);
            }
            if (executor != nullptr) executor->Stop();
            return 1;
        case EVENT_DISPLAY_CHANGED:
            return HandleDisplayChange(param1, param2);
        case EVENT_SETTINGS_CHANGED:
        case EVENT_GAME_INTERRUPT_1:
        case EVENT_GAME_INTERRUPT_3:
        case EVENT_GAME_INTERRUPT_4:
            return m_root != nullptr ? m_root->HandleEvent(id, param1, param2) : 0;
        case EVENT_PAUSE_REQUEST:
        case EVENT_CLAMSHELL: {
            const std::uint8_t handled = m_root != nullptr ? m_root->HandleEvent(id, param1, param2) : 0;
            if (m_config.exitOnClamshell != 0) m_quitRequested = 1;
            return handled;
        }
        case EVENT_KEY_DOWN:
        case EVENT_KEY_PRESS:
        case EVENT_KEY_UP:
        case EVENT_POINTER_DOWN:
        case EVENT_POINTER_UP:
        case EVENT_POINTER_MOVE:
            return HandleKey(id, param1, param2);
        case EVENT_REDRAW:
        case EVENT_WIDGET_ACCEPT:
        case EVENT_WIDGET_BACK:
        case EVENT_WIDGET_CHANGED:
        case EVENT_WIDGET_KEY:
            if (m_keyMgr != nullptr) m_keyMgr->HandleEvent(id, param1, param2);
            return m_root != nullptr ? m_root->HandleEvent(id, param1, param2) : 0;
        default:
            DebugAssert(false, kSource, 1410);
            return 0;
    }
}

std::uint8_t CGameApp::HandleKey(std::uint32_t id, std::uint16_t code, std::uintptr_t param2) {
    if (m_keyMgr != nullptr) code = m_keyMgr->RemapDeviceKey(code);
    if (m_config.functionAsOk != 0 && code == 20) code = 11;
    if (m_config.disableNumpad != 0 && (code == '0' || code == '2' || (code >= '4' && code <= '9'))) code = 0;
    // The keypad's 5, 2 and 8 are select, up and down.
    if (code == '5') {
        code = 11;
    } else if (code == '2') {
        code = 4;
    } else if (code == '8') {
        code = 5;
    }
    if (m_keyMgr != nullptr) m_keyMgr->HandleEvent(id, code, param2);
    const std::uint8_t handled = m_root != nullptr ? m_root->HandleEvent(id, code, param2) : 0;
    if (m_keyMgr != nullptr && m_keyMgr->GetPressCount(kEndKey) != 0) m_quitRequested = 1;
    return handled;
}

std::uint8_t CGameApp::HandleDisplayChange(std::uint16_t param1, std::uintptr_t param2) {
    UpdateLandscapeFlag();
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    DebugAssert(surface != nullptr, kSource, 1286);
    surface->Release();
    graphics->Init();
    surface = graphics->GetRenderSurface();
    DebugAssert(surface != nullptr, kSource, 1290);
    std::int32_t width = 0;
    std::int32_t height = 0;
    surface->GetSize(&width, &height);
    if (height == width) return 0;
    CAppExecutor* executor = GetExecutor();
    if (height < width) {
        if (Media() != nullptr) Media()->PauseAll();
        const std::uint8_t handled = m_root != nullptr ? m_root->HandleEvent(EVENT_DISPLAY_CHANGED, param1, param2) : 0;
        if (executor != nullptr) executor->Pause();
        m_runState = kInterrupted;
        return handled;
    }
    if (Media() != nullptr) Media()->ResumeAll();
    if (executor != nullptr) executor->Resume();
    m_runState = kRunning;
    return m_root != nullptr ? m_root->HandleEvent(EVENT_DISPLAY_CHANGED, param1, param2) : 0;
}

void CGameApp::UpdateLandscapeFlag() {
    m_landscape = GetSystemMetrics(SM_CXSCREEN) > GetSystemMetrics(SM_CYSCREEN) ? 1 : 0;
}

void CGameApp::Update() {
    CAppExecutor* executor = GetExecutor();
    if (m_runState != kRunning) {
        if (Media() != nullptr) Media()->PauseAll();
        if (executor != nullptr) executor->Pause();
        return;
    }
    const std::int32_t dt = executor != nullptr ? executor->GetFrameTime() : 0;
    if (m_keyMgr != nullptr) m_keyMgr->Tick(dt);
    if (m_root != nullptr) m_root->Update(static_cast<std::uint32_t>(dt));
    if (Media() != nullptr) Media()->Update(static_cast<std::uint32_t>(dt));
    if (m_keyMgr != nullptr) m_keyMgr->EndFrame();
    if (m_quitRequested != 0) {
        m_quitRequested = 0;
        if (ICCore* core = ICCore::GetInstance()) core->Quit(0);
    }
}

void CGameApp::Draw() {
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics != nullptr ? graphics->GetRenderSurface() : nullptr;
    if (surface == nullptr || m_blitter == nullptr) return;
    surface->MakeCurrent();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    // A frame without a buffer draws and presents nothing.
    if (bits == nullptr) return;
    DebugAssert(m_blitter->GetPixelFormat() == surface->GetPixelFormat(), kSource, 1504);
    m_blitter->Init(surface->GetPixelFormat(), bits, pitch);
    if (m_runState == kRunning) {
        if (m_root != nullptr) m_root->Draw();
    } else {
        DrawLandscapeNotice(surface);
    }
    surface->Unlock();
    graphics->Present();
}

void CGameApp::DrawLandscapeNotice(ICRenderSurface* surface) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    surface->GetSize(&width, &height);
    CDrawUtil::FillRectRGB(nullptr, 0, 0, width, height, 0, 0, 0);
    CGraphicFont* font = m_fonts != nullptr ? m_fonts->GetFont(0) : nullptr;
    const char16_t* text = font != nullptr ? m_resources->GetText(kLandscapeNoticeId, 0) : nullptr;
    if (text == nullptr) return;
    CTextParser parser;
    parser.SetFont(font);
    parser.SetText(text);
    parser.SetWidth(width - width / 20);
    parser.Parse();
    const std::int32_t lineHeight = font->GetHeight();
    std::int32_t y = (height - lineHeight * parser.GetLineCount()) / 2;
    const CRect screen(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
    for (std::int32_t i = 0; i < parser.GetLineCount(); ++i) {
        const char16_t* line = parser.GetLineText(i);
        const std::int32_t length = parser.GetLineLength(i);
        const std::int32_t x = (width - font->Measure(line, length, -1, nullptr)) / 2;
        font->DrawString(line, length, &screen, x, y, 0);
        y += lineHeight;
    }
    // The text is asked for every frame: every frame gives it back.
    m_resources->Release(kLandscapeNoticeId, 0);
}
