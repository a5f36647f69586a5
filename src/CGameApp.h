// The game's application object. The applet creates it through
// CreateGameApp, calls Startup once (the objects that need no data), hands
// it every queued event and ticks it on the 48 ms timer; the start event,
// handled in the first tick, opens the archive and makes everything that
// needs data. It owns the executor, the singleton table, the managers, the
// blitter, the engine runtime and the root node, and it holds the device
// configuration. While the screen is in landscape the game is interrupted
// and a notice is drawn instead.
#pragma once

#include <cstdint>

#include "platform/shared/core/CApp.h"
#include "src/CAdapterServices.h"
#include "src/CDeviceConfig.h"

class AZ_Client;
class AZ_Presenter_Singleton;
class CAppExecutor;
class CBinRes;
class CFontMgr;
class CGameData;
class CHash;
class CImage;
class CKeyMgr;
class COptionsMgr;
class CRandGen;
class CResMgr;
class CRootNode;
class CSaveGameMgr;
class CSoftwareBlitter;
class ICRenderSurface;
class SZ_Home;

class CGameApp : public CApp {
public:
    // Run states.
    static constexpr std::int32_t kRunning = 0;
    static constexpr std::int32_t kInterrupted = 2;
    // Resources the application reads itself.
    static constexpr std::uint32_t kPropertiesId = 0x03000258;
    static constexpr std::uint32_t kScriptId = 0x0300025D;
    static constexpr std::uint32_t kLandscapeNoticeId = 0x21FF0147;
    static constexpr std::int32_t kPresenterCount = 150;

    CGameApp() = default;
    // Runs Shutdown for whatever is still owned.
    ~CGameApp() override;

    // The application object, or null when there is none. Only a program
    // whose application is a CGameApp may call these.
    static CGameApp* GetInstance() { return static_cast<CGameApp*>(CApp::GetInstance()); }
    static CKeyMgr* GetKeyMgr();
    static COptionsMgr* GetOptionsMgr();
    static CRandGen* GetRandGen();
    static CResMgr* GetResMgr();
    static CFontMgr* GetFontMgr();
    static CSaveGameMgr* GetSaveGameMgr();
    static CGameData* GetGameData();
    static CSoftwareBlitter* GetBlitter();
    static SZ_Home* GetSpriteHome();

    // Creates the objects that need no data (an allocation that fails leaves
    // its pointer null) and reads the configuration files. Always 0.
    std::int32_t Startup() override;
    // Deletes everything Startup and the start event made, in order.
    void Shutdown() override;
    void Tick() override;
    // Events by id; an id the program does not know is a broken invariant.
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) override;
    // The frame's two halves, run by the executor. Interrupted, Update only
    // pauses sound and the executor, and Draw shows the landscape notice.
    void Update();
    void Draw();
    // Landscape: the screen is wider than high.
    void UpdateLandscapeFlag();

    const CDeviceConfig& GetDeviceConfig() const { return m_config; }
    CRootNode* GetRootNode() const { return m_root; }
    AZ_Client* GetEngineRuntime() const { return m_client; }
    AZ_Presenter_Singleton* GetPresenterStore() const { return m_store; }
    std::int32_t GetRunState() const { return m_runState; }
    std::uint8_t IsLandscape() const { return m_landscape; }
    // 1 when the options or the progress could not be written at the start.
    std::uint8_t GetStorageWarning() const { return m_storageWarning; }
    std::uint8_t AreCheatsEnabled() const { return m_cheatsEnabled; }
    // The bottom bar of play, held by the game class while it lives; the
    // camera's view ends above it.
    CImage* GetBottomBar() const { return m_bottomBar; }
    void SetBottomBar(CImage* image) { m_bottomBar = image; }

private:
    // The second stage of start-up; without the archive or an object it
    // needs it ends the run (EndStart).
    void Start();
    // Reads the properties from properties.dat, else from their resource.
    void LoadProperties();
    // Ends the run before it began: a message box, the orderly quit, exit
    // code 1.
    void EndStart(const char16_t* message);
    std::uint8_t HandleKey(std::uint32_t id, std::uint16_t code, std::uintptr_t param2);
    std::uint8_t HandleDisplayChange(std::uint16_t param1, std::uintptr_t param2);
    void DrawLandscapeNotice(ICRenderSurface* surface);

    CDeviceConfig m_config;
    std::uint8_t m_storageWarning = 0;
    std::uint8_t m_cheatsEnabled = 0;
    std::uint8_t m_quitRequested = 0;
    std::int32_t m_runState = kRunning;
    std::uint8_t m_landscape = 0;
    std::uint8_t m_orientationAtDeactivation = 0;
    std::uint8_t m_orientationAtActivation = 0;

    CKeyMgr* m_keyMgr = nullptr;
    COptionsMgr* m_options = nullptr;
    CRandGen* m_random = nullptr;
    CResMgr* m_resources = nullptr;
    CFontMgr* m_fonts = nullptr;
    CSaveGameMgr* m_saves = nullptr;
    CGameData* m_gameData = nullptr;
    CSoftwareBlitter* m_blitter = nullptr;
    SZ_Home* m_spriteHome = nullptr;
    AZ_Client* m_client = nullptr;
    AZ_Presenter_Singleton* m_store = nullptr;
    CBinRes* m_script = nullptr;  // the engine runtime's tables, held while it lives
    CAdapterServices m_adapterServices;
    CImage* m_bottomBar = nullptr;
    CRootNode* m_root = nullptr;
};

// The executor and the singleton table of the application object.
CAppExecutor* CreateAppExecutor();
CHash* CreateSingletonTable();
