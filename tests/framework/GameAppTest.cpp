// The application object run in process: start-up in two stages, the
// properties and saves of the start event, key remapping, landscape and the
// ways a run ends.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/shared/components/CBinRes.h"
#include "platform/shared/components/ICMediaPlayer.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/CAppProperties.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"

namespace {

CGameApp& App() { return *CGameApp::GetInstance(); }

std::string NoticeText() {
    std::string text = host::ToUtf8(CGameApp::GetResMgr()->GetText(CGameApp::kLandscapeNoticeId, 0));
    CGameApp::GetResMgr()->Release(CGameApp::kLandscapeNoticeId, 0);
    return text;
}

TEST(GameApp, StartsInTwoStages) {
    GameRun run;
    DebugCapture debug;
    EXPECT_EQ(run.Run([&](int tick) {
        const bool started = tick > 0;
        EXPECT_TRUE(CGameApp::GetKeyMgr() && CGameApp::GetOptionsMgr() && CGameApp::GetRandGen() &&
                    CGameApp::GetResMgr() && CGameApp::GetFontMgr() && CGameApp::GetSaveGameMgr() &&
                    CGameApp::GetGameData() && CGameApp::GetBlitter() && App().GetRootNode());
        // Before the start event nothing that needs data exists.
        EXPECT_EQ(App().GetRootNode()->IsActive(), started ? 1 : 0);
        EXPECT_EQ(CGameApp::GetResMgr()->GetLanguageCount(), started ? 1u : 0u);
        EXPECT_EQ(App().GetEngineRuntime() != nullptr && App().GetPresenterStore()->getPoolSize() == 150, started);
        EXPECT_EQ(CGameApp::GetGameData()->GetSplashSound() && CGameApp::GetGameData()->GetTitleSound(), started);
        EXPECT_EQ(App().GetExecutor()->GetState(), started ? CAppExecutor::kRunning : CAppExecutor::kStarting);
        EXPECT_EQ(CGameApp::GetSpriteHome()->IsConstructed(), started);
        if (tick == 1) {
            EXPECT_EQ(NoticeText(), "Please turn the phone upright: the game plays in portrait only.");
            EXPECT_DEATH((host::SetDebugSink(nullptr), App().HandleEvent(0x12345678, 0, 0)), "CGameApp, Line: 1410");
        }
    }), 0);
    const std::vector<std::string> lines = debug.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[ ***actionZel*** ] CGameApp::Init ... "), lines.end());
    EXPECT_EQ(debug.Text().find("ERROR"), std::string::npos) << debug.Text();
}

TEST(GameApp, PropertiesAndSavesAtTheStartEvent) {
    const std::string zeros(12, '\0');
    const std::string prefs = zeros + std::string("\1\0\0\0", 4);
    const struct {
        const char* file;      // properties.dat
        const char* resource;  // 0x03000258 (none: null)
        const char* deviceConf;
        bool readOnly;
        std::uint8_t cheats;
        bool textIds, anyProperty;
        std::string prefs, progress;  // empty: no file
    } cases[] = {
        // Vibration is off unless device.conf turns it on.
        {"", "Zel-Cheats-Enable=false", "", false, 0, false, true, prefs, zeros},
        {"", "", "X=0\nDISABLE_VIBRATION=0\n", false, 0, false, false, zeros + std::string("\1\1\0\0", 4), zeros},
        {"", "", "", true, 0, false, false, "", ""},
        // The file wins over the resource.
        {"Zel-Cheats-Enable = TRUE\n", "Zel-Test-Localisation=TRUE", "", false, 1, false, true, prefs, zeros},
        {"", "Zel-Test-Localisation=TRUE\nZel-Cheats-Enable=false", "", false, 0, true, true, prefs, zeros},
        {"", nullptr, "", false, 0, false, false, prefs, zeros},
    };
    for (const auto& c : cases) {
        GameRun run;
        if (*c.file != '\0') run.dir.Write("properties.dat", c.file);
        run.dir.Write("device.conf", c.deviceConf);
        const std::string resource = c.resource != nullptr ? c.resource : "";
        run.content.resources[CGameApp::kPropertiesId] = vktools::MakeResource({resource.begin(), resource.end()});
        if (c.resource == nullptr) run.content.resources.erase(CGameApp::kPropertiesId);
        host::SetReadOnlyFiles(c.readOnly);
        if (c.readOnly && geteuid() != 0) chmod(run.dir.Path().c_str(), 0555);
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick != 1) return;
            EXPECT_EQ(App().AreCheatsEnabled(), c.cheats) << c.resource;
            EXPECT_EQ(NoticeText() == "0x21ff0147", c.textIds) << c.resource;
            const CAppProperties* properties = CAppProperties::GetInstance();
            EXPECT_EQ(properties->Has("Zel-Test-Localisation") || properties->Has("Zel-Cheats-Enable"), c.anyProperty);
            EXPECT_EQ(App().GetStorageWarning(), c.readOnly ? 1 : 0);
        }), 0);
        host::SetReadOnlyFiles(false);
        chmod(run.dir.Path().c_str(), 0755);
        EXPECT_EQ(run.dir.Read("prefs.dat"), c.prefs) << c.deviceConf;
        EXPECT_EQ(run.dir.Read("savegame.dat"), c.progress) << c.deviceConf;
        EXPECT_FALSE(run.dir.Exists("temp.dat"));
    }
}

TEST(GameApp, KeysRemappedBeforeTheKeyManagerCountsThem) {
    const struct {
        const char* deviceConf;
        std::vector<std::pair<std::uint16_t, std::int32_t>> keys;  // code, game key counted (0: none)
    } cases[] = {
        {"", {{'5', 5}, {'2', 1}, {'8', 2}, {'1', 6}, {20, 0}}},
        {"X=0\nDISABLE_NUMPAD=1\n", {{'5', 0}, {'0', 0}, {'2', 0}, {'1', 6}, {'3', 8}}},
        {"X=0\nFUNCTION_AS_OK=1\n", {{20, 5}}},
        {"KEYS=1\nUP=0x61\n", {{'a', 1}, {'A', 1}}},
    };
    for (const auto& c : cases) {
        GameRun run;
        run.dir.Write("device.conf", c.deviceConf);
        run.Run([&](int tick) {
            CKeyMgr* keys = CGameApp::GetKeyMgr();
            for (const auto& [code, key] : tick == 1 ? c.keys : decltype(c.keys){}) {
                App().HandleEvent(EVENT_KEY_DOWN, code, 0);
                EXPECT_EQ(keys->IsAnyKeyPressed() ? keys->GetPressCount(keys->GetLastKey()) * keys->GetLastKey() : 0, key)
                    << c.deviceConf << " " << code;
                keys->EndFrame();
            }
        });
    }
}

TEST(GameApp, LandscapeInterruptsTheGameAndShowsTheNotice) {
    for (const host::DisplayFormat& format : {host::kDisplayRgb565, host::kDisplayXrgb8888}) {
        GameRun run;
        run.window.screenWidth = 640;
        run.window.screenHeight = 480;
        run.display = format;
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick == 0) return;
            EXPECT_EQ(App().GetRunState(), CGameApp::kInterrupted);
            if (tick == 1) {
                EXPECT_TRUE(MatchesGoldenFrame("landscape-notice")) << format.bitCount;
            }
            // The text is given back every frame; a frame whose buffer
            // cannot be locked draws nothing.
            EXPECT_EQ(CGameApp::GetResMgr()->IsCached(CGameApp::kLandscapeNoticeId), 0) << tick;
            host::SetDisplayFault(host::DisplayFault::Lock, tick == 2);
        }, 20), 0);
    }
}

TEST(GameApp, OrientationAtResumeAndDisplayChanges) {
    constexpr std::uint32_t kRotate = 0;  // the screen turned, its event still queued
    const struct {
        int width, height;
        std::vector<std::uint32_t> steps;  // handled at once after the first tick
        std::uint8_t handled;              // the last event's result
        std::int32_t state, stateLater;    // the run state then, and two ticks later
    } cases[] = {
        {480, 640, {EVENT_SUSPEND, kRotate, EVENT_RESUME}, 1, CGameApp::kInterrupted, CGameApp::kInterrupted},
        {640, 480, {EVENT_SUSPEND, EVENT_RESUME}, 1, CGameApp::kInterrupted, CGameApp::kInterrupted},
        // A resume before any suspend compares with the screen at the start.
        {640, 480, {kRotate, EVENT_RESUME}, 1, CGameApp::kRunning, CGameApp::kRunning},
        {480, 480, {EVENT_DISPLAY_CHANGED}, 0, CGameApp::kRunning, CGameApp::kRunning},
    };
    for (const auto& c : cases) {
        GameRun run;
        run.window.screenWidth = c.width;
        run.window.screenHeight = c.height;
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick == 1) {
                std::uint8_t handled = 0;
                for (const std::uint32_t id : c.steps) {
                    if (id == kRotate) host::RotateScreen();
                    if (id != kRotate) handled = App().HandleEvent(id, 0, 0);
                }
                EXPECT_EQ(handled, c.handled) << c.width;
                EXPECT_EQ(App().GetRunState(), c.state) << c.width;
            } else if (tick == 3) {
                EXPECT_EQ(App().GetRunState(), c.stateLater) << c.width;
                EXPECT_EQ(App().GetExecutor()->GetState(),
                          c.stateLater == CGameApp::kRunning ? CAppExecutor::kRunning : CAppExecutor::kPaused);
            }
        }, 3), 0);
    }
}

// EVENT_CLOSE, handled while the sound question shows, a sound plays and
// the phone vibrates: the root exits (its scenes gone, the splash and title
// sounds given back), every sound and the vibration stop, the executor
// stops. The resource manager frees its whole cache at the end, so the
// holds are counted: with one of the test's own on each sound, that one is
// all that is left.
TEST(GameApp, CloseExitsTheRootAndStopsTheMedia) {
    GameRun run;
    run.scenes = true;
    run.dir.Write("device.conf", "X=0\nDISABLE_VIBRATION=0\n");
    EXPECT_EQ(run.Run([&](int tick) {
        if (tick != 2) return;
        CResMgr* resources = CGameApp::GetResMgr();
        ICMediaPlayer* media = ICMediaPlayer::GetInstance();
        const std::uint32_t sounds[] = {CRootNode::kSplashSound, CRootNode::kTitleSound};
        for (const std::uint32_t id : sounds) ASSERT_NE(resources->GetSound(id, 0), nullptr);
        const CBinRes* splash = CGameApp::GetGameData()->GetSplashSound();
        ASSERT_NE(splash, nullptr);
        EXPECT_NE(media->PlaySound(splash->GetPayload(), splash->GetPayloadSize(), 0, 0), 0u);
        EXPECT_NE(media->Vibrate(1000, 0), 0u);
        ASSERT_NE(App().GetRootNode()->GetCurrentNode(), nullptr);

        EXPECT_EQ(App().HandleEvent(EVENT_CLOSE, 0, 0), 1);
        EXPECT_EQ(App().GetRootNode()->GetCurrentNode(), nullptr);
        EXPECT_FALSE(media->IsSoundPlaying(0) || media->IsVibrating(0));
        EXPECT_EQ(App().GetExecutor()->GetState(), CAppExecutor::kStopped);
        EXPECT_TRUE(CGameApp::GetGameData()->GetSplashSound() == nullptr &&
                    CGameApp::GetGameData()->GetTitleSound() == nullptr);
        for (const std::uint32_t id : sounds) {
            EXPECT_EQ(resources->IsCached(id), 1) << std::hex << id;  // the test's hold
            resources->Release(id, 0);
            EXPECT_EQ(resources->IsCached(id), 0) << std::hex << id;
        }
    }, 3), 0);
}

TEST(GameApp, RunsEndInOrder) {
    DebugCapture debug;
    // The end key quits at the next Update.
    GameRun keyed;
    int last = 0;
    EXPECT_EQ(keyed.Run([&](int tick) {
        last = tick;
        if (tick == 1) host::InjectKey(VK_F4, true);
    }, 10), 0);
    EXPECT_EQ(last, 1);

    GameRun missing;
    missing.writeArchive = false;
    EXPECT_EQ(missing.Run(), 1);
    EXPECT_NE(debug.Text().find("ASSERT FAILED - File: CGameApp, Line: 1050\n"), std::string::npos);
    for (const char* part : {"velkorin.big", "--game-dir"}) {
        EXPECT_NE(missing.messageBox.find(part), std::string::npos) << missing.messageBox;
    }
    EXPECT_FALSE(missing.dir.Exists("prefs.dat"));

    // Each object allocation up to the end of Startup failing in turn: 0
    // when the game could do without the object, else 1.
    bool pending = false;
    for (int n = 0; !pending; ++n) {
        GameRun run;
        FailNthNothrowNew(n, true);
        const int result = run.Run([&](int tick) {
            if (tick == 0) pending = NothrowFailurePending();
            FailNthNothrowNew(-1);
        });
        EXPECT_TRUE(result == 0 || result == 1) << n;
    }
}

}  // namespace
