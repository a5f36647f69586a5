// The application object run in process: start-up in two stages, the
// properties, the saves, key remapping, landscape and the ways it ends.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/DDraw.h"
#include "host/File.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/CAppProperties.h"
#include "src/CGameApp.h"
#include "src/CGameData.h"
#include "src/CKeyMgr.h"
#include "src/CResMgr.h"
#include "src/CRootNode.h"
#include "src/actionZel/AZ_Presenter.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FailingAlloc.h"
#include "tests/support/GameRun.h"
#include "tests/support/GoldenFrame.h"

namespace {

CGameApp& App() { return *CGameApp::GetInstance(); }

std::string NoticeText() {
    CResMgr* resources = CGameApp::GetResMgr();
    std::string text = host::ToUtf8(resources->GetText(CGameApp::kLandscapeNoticeId, 0));
    resources->Release(CGameApp::kLandscapeNoticeId, 0);
    return text;
}

const std::string kZeros(12, '\0');

TEST(GameApp, StartsInTwoStages) {
    GameRun run;
    DebugCapture debug;
    EXPECT_EQ(run.Run([&](int tick) {
        const bool started = tick > 0;
        for (const void* made : {static_cast<void*>(CGameApp::GetKeyMgr()), static_cast<void*>(CGameApp::GetOptionsMgr()),
                                 static_cast<void*>(CGameApp::GetRandGen()), static_cast<void*>(CGameApp::GetResMgr()),
                                 static_cast<void*>(CGameApp::GetFontMgr()), static_cast<void*>(CGameApp::GetSaveGameMgr()),
                                 static_cast<void*>(CGameApp::GetGameData()), static_cast<void*>(CGameApp::GetBlitter()),
                                 static_cast<void*>(App().GetRootNode())}) {
            EXPECT_NE(made, nullptr);
        }
        // Before the start event: nothing that needs data; after it, the
        // archive with its one language, the engine and the two sounds.
        EXPECT_EQ(App().GetRootNode()->IsActive(), started ? 1 : 0) << tick;
        EXPECT_EQ(CGameApp::GetResMgr()->GetLanguageCount(), started ? 1u : 0u) << tick;
        EXPECT_EQ(App().GetEngineRuntime() != nullptr && App().GetPresenterStore()->getPoolSize() == 150, started);
        EXPECT_EQ(CGameApp::GetGameData()->GetSplashSound() != nullptr, started);
        EXPECT_EQ(CGameApp::GetGameData()->GetTitleSound() != nullptr, started);
        EXPECT_EQ(App().GetExecutor()->GetState(), started ? CAppExecutor::kRunning : CAppExecutor::kStarting);
        if (started) {
            EXPECT_EQ(NoticeText(), "Please turn the phone upright: the game plays in portrait only.");
        }
    }), 0);
    const std::vector<std::string> lines = debug.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[ ***actionZel*** ] CGameApp::Init ... "), lines.end());
    EXPECT_EQ(debug.Text().find("ERROR"), std::string::npos) << debug.Text();
}

TEST(GameApp, PropertiesFromTheFileElseFromTheResource) {
    const struct {
        const char* file;      // properties.dat, when not null
        const char* resource;  // 0x03000258, when not null
        std::uint8_t cheats;
        bool textIds;
        bool empty;
    } cases[] = {
        {"Zel-Cheats-Enable = TRUE\n", "Zel-Test-Localisation=TRUE\n", 1, false, false},
        {nullptr, "Zel-Test-Localisation=TRUE\nZel-Cheats-Enable=false\n", 0, true, false},
        {nullptr, nullptr, 0, false, true},
    };
    for (const auto& c : cases) {
        GameRun run;
        if (c.file != nullptr) run.dir.Write("properties.dat", c.file);
        run.content.resources.erase(CGameApp::kPropertiesId);
        if (c.resource != nullptr) {
            const std::string text = c.resource;
            run.content.resources[CGameApp::kPropertiesId] = vktools::MakeResource(vktools::Bytes(text.begin(), text.end()));
        }
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick != 1) return;
            EXPECT_EQ(App().AreCheatsEnabled(), c.cheats) << c.resource;
            EXPECT_EQ(NoticeText() == "0x21ff0147", c.textIds) << c.resource;
            const CAppProperties* properties = CAppProperties::GetInstance();
            EXPECT_EQ(properties->Has("Zel-Test-Localisation") || properties->Has("Zel-Cheats-Enable"), !c.empty);
        }), 0);
    }
}

TEST(GameApp, SavesWrittenAtTheFirstStart) {
    const struct {
        const char* deviceConf;
        bool readOnly;
        std::string prefs, progress;  // empty: no file
        std::uint8_t warning;
    } cases[] = {
        {"", false, kZeros + std::string("\1\0\0\0", 4), kZeros, 0},  // vibration off by default
        {"X=0\nDISABLE_VIBRATION=0\n", false, kZeros + std::string("\1\1\0\0", 4), kZeros, 0},
        {"", true, "", "", 1},
    };
    for (const auto& c : cases) {
        GameRun run;
        run.dir.Write("device.conf", c.deviceConf);
        host::SetReadOnlyFiles(c.readOnly);
        if (c.readOnly && geteuid() != 0) chmod(run.dir.Path().c_str(), 0555);
        EXPECT_EQ(run.Run([&](int tick) {
            if (tick == 1) {
                EXPECT_EQ(App().GetStorageWarning(), c.warning);
            }
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
            if (tick != 1) return;
            CKeyMgr* keys = CGameApp::GetKeyMgr();
            for (const auto& [code, key] : c.keys) {
                App().HandleEvent(EVENT_KEY_DOWN, code, 0);
                std::int32_t counted = 0;
                for (std::int32_t k = 1; k < CKeyMgr::kGameKeyCount; ++k) counted += keys->GetPressCount(k) != 0 ? k : 0;
                EXPECT_EQ(counted, key) << c.deviceConf << " " << code;
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
                EXPECT_TRUE(MatchesGoldenFrame("landscape-notice"));
            }
            // The notice's text is given back every frame.
            EXPECT_EQ(CGameApp::GetResMgr()->IsCached(CGameApp::kLandscapeNoticeId), 0) << tick;
            if (tick == 2) host::SetDisplayFault(host::DisplayFault::Lock, true);  // the next frame draws nothing
            if (tick == 3) host::SetDisplayFault(host::DisplayFault::Lock, false);
        }, 20), 0);
    }
}

TEST(GameApp, OrientationAtResumeAndDisplayChanges) {
    constexpr std::uint32_t kRotate = 0;  // the screen turned, its event still queued
    const struct {
        int width, height;
        std::vector<std::uint32_t> steps;  // events handled at once after the first tick
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

TEST(GameApp, EndKeyQuitsAtTheNextUpdate) {
    GameRun run;
    int last = 0;
    EXPECT_EQ(run.Run([&](int tick) {
        last = tick;
        if (tick == 1) host::InjectKey(VK_F4, true);
    }, 10), 0);
    EXPECT_EQ(last, 1);  // the second tick quit
}

TEST(GameApp, AMissingArchiveEndsTheRunWith1) {
    GameRun run;
    run.writeArchive = false;
    DebugCapture debug;
    EXPECT_EQ(run.Run(), 1);
    EXPECT_NE(debug.Text().find("ASSERT FAILED - File: CGameApp, Line: 1050\n"), std::string::npos) << debug.Text();
    for (const char* part : {"velkorin.big", "--game-dir"}) {
        EXPECT_NE(run.messageBox.find(part), std::string::npos) << run.messageBox;
    }
    EXPECT_FALSE(run.dir.Exists("prefs.dat"));
}

// Every allocation of the start-up failing in turn: the run still ends in
// order, with 0 when the game could do without the object, else with 1.
TEST(GameApp, EachStartupAllocationFailingEndsInOrder) {
    DebugCapture quiet;
    bool pending = false;
    for (int n = 0; !pending; ++n) {
        GameRun run;
        FailNthNothrowNew(n, true);
        const int result = run.Run([&](int tick) {
            if (tick == 0) pending = NothrowFailurePending();
            FailNthNothrowNew(-1);
        });
        FailNthNothrowNew(-1);
        EXPECT_TRUE(result == 0 || result == 1) << n;
    }
}

TEST(GameApp, AnUnknownEventIsABrokenInvariant) {
    GameRun run;
    run.Run([](int tick) {
        if (tick == 1) {
            EXPECT_DEATH(App().HandleEvent(0x12345678, 0, 0), "File: CGameApp, Line: 1410");
        }
    });
}

}  // namespace
