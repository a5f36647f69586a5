// The sample game on its own archive (built beside the benchmark by the
// build), headless, on the virtual clock that moves straight on to the next
// frame whenever the game is idle.
//
// BM_BootToMainMenu: from the start to the main menu, the sound question
// answered as soon as it takes keys and every other screen left to run its
// course (the splash movie, the loading, both pictures, the title): the wall
// time, with the virtual time and the frames it took as counters.
//
// BM_BusiestFrame: the busiest frame of the sample levels. Each level is
// played in turn as a player reaches it (progress saved up to it, continue,
// the level menu) and, once loaded, the positions of the characters drawn
// as sprites are surveyed for the view's width of the map that holds the
// most of them; levels the script does not have never load. In the best
// one, once the opening pages are turned, the player is dropped in the
// middle and the camera follows; then the game's frame (the application's
// Update of 48 ms and the drawing of the screen into the back buffer,
// without the present) runs there, the virtual clock moving 48 ms between
// frames so that sounds play and end as in the game. Goals: at most 1% of
// the 48 ms tick, and no allocation per frame. Counters: the level, the
// sprites in view and in the level, the share of the tick and the
// allocations per frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchGameDir.h"
#include "bench/CountingNew.h"
#include "host/Clock.h"
#include "host/Debug.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/ICRenderSurface.h"
#include "src/CGameApp.h"
#include "src/CInitScene.h"
#include "src/CRootNode.h"
#include "src/CShellScene.h"
#include "src/SceneUtil.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/b_health.h"
#include "src/game/AZ_Adapter.h"
#include "src/game/Camera.h"
#include "tools/GamePilot.h"
#include "tools/HeadlessGame.h"

namespace {

using Clock = std::chrono::steady_clock;

// A game directory with a copy of the archive, the game's debug output
// quiet while it lasts; the saves go before a run.
class GameDirectory {
public:
    GameDirectory() { host::SetDebugSink([](std::u16string_view) {}); }
    ~GameDirectory() { host::SetDebugSink(nullptr); }
    GameDirectory(const GameDirectory&) = delete;
    GameDirectory& operator=(const GameDirectory&) = delete;

    const std::string& Fresh() const {
        const std::string& path = m_dir.Path();
        for (const char* name : {"prefs.dat", "savegame.dat", "hs.dat"}) std::filesystem::remove(path + "/" + name);
        return path;
    }

private:
    BenchGameDir m_dir;
};

void BM_BootToMainMenu(benchmark::State& state) {
    const GameDirectory dir;
    using vktools::GamePilot;
    const std::string soundQuestion = GamePilot::Chain({GamePilot::kStartUpScene, CInitScene::kSoundQuestion});
    const std::string mainMenu = GamePilot::Chain({GamePilot::kShellScene, CShellScene::kMainMenu});
    std::uint32_t menuAt = 0;
    int frames = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        Clock::duration took{};
        bool answered = false;
        frames = 0;
        vktools::RunHeadlessGame(dir.Fresh(), 0, [&](std::uint32_t ms) {
            ++frames;
            CNode* top = nullptr;
            const std::string chain = GamePilot::StateChain(&top);
            if (!answered && chain == soundQuestion && top->GetElapsed() >= top->GetTransitionTime()) {
                vktools::Press(VK_DOWN);
                vktools::Press(VK_RETURN);
                answered = true;
            }
            if (chain == mainMenu && took == Clock::duration{}) {
                took = Clock::now() - start;
                menuAt = ms;
                host::InjectClose();
            }
        });
        state.SetIterationTime(std::chrono::duration<double>(took).count());
    }
    state.counters["virtual_ms"] = menuAt;
    state.counters["frames"] = frames;
}
BENCHMARK(BM_BootToMainMenu)->UseManualTime()->Unit(benchmark::kMillisecond);

// The x of the characters drawn as sprites on the map (not the head-up
// display's or the controller's), in back-buffer pixels.
std::vector<std::int32_t> SpriteXs() {
    constexpr std::int32_t kSprite = 86;  // v_sz
    const AZ_Client* client = AZ_Client::getInstance();
    std::vector<std::int32_t> xs;
    for (std::int32_t row = 0; row < AZ_MAX_ACTIVE; ++row) {
        const std::int32_t id = client->getPresenterOfRow(row);
        AZ_Presenter* presenter = id >= 0 ? AZ_Presenter::getPresenter(id) : nullptr;
        if (presenter != nullptr && presenter->findCodeSlot(kSprite) != -1) {
            xs.push_back(Camera::WorldToPixel(presenter->getX()));
        }
    }
    return xs;
}

struct Place {
    std::int32_t level = -1;
    std::int32_t left = 0;  // the view's left edge, pixels
    std::int32_t inView = -1;
    std::int32_t inLevel = 0;
};

// The view's width of the loaded level holding the most sprites.
Place BusiestPlace(std::int32_t level) {
    AZ_Client* client = AZ_Client::getInstance();
    const std::int32_t view = client->getCamera()->GetViewWidth();
    const std::int32_t width = Camera::WorldToPixel(client->getAdapter()->getMapWidth());
    const std::vector<std::int32_t> xs = SpriteXs();
    Place best{level, 0, -1, static_cast<std::int32_t>(xs.size())};
    for (std::int32_t left = 0; left + view <= std::max(width, view); left += 4) {
        const auto in = static_cast<std::int32_t>(
            std::count_if(xs.begin(), xs.end(), [&](std::int32_t x) { return x >= left && x < left + view; }));
        if (in > best.inView) {
            best.inView = in;
            best.left = left;
        }
    }
    return best;
}

bool LevelReady() {
    AZ_Client* client = AZ_Client::getInstance();
    return client != nullptr && client->getAdapter()->isLevelLoaded() && AZ_FindPlayer() != nullptr;
}

// Plays level n of the first character as a player would: progress saved up
// to it, the pilot continues from the main menu and takes the level menu's
// last level. Once the level is loaded, inLevel runs every frame until it
// returns true. False when the level never loads (the script has none).
bool PlayLevel(const GameDirectory& dir, std::int32_t n, const std::function<bool()>& inLevel) {
    const std::string& path = dir.Fresh();
    const std::uint8_t saved[12] = {1, 0, 0, 0, static_cast<std::uint8_t>(n), 0, 0, 0, 0, 0, 0, 0};
    std::FILE* file = std::fopen((path + "/savegame.dat").c_str(), "wb");
    if (file == nullptr) return false;
    std::fwrite(saved, 1, sizeof saved, file);
    std::fclose(file);
    vktools::GamePilot pilot(VK_LEFT);
    int waited = 0;
    bool loaded = false, done = false;
    vktools::RunHeadlessGame(path, 5000, [&](std::uint32_t ms) {
        if (done) return;
        if (!loaded) {
            pilot.Step(ms);
            loaded = pilot.IsPlaying() && LevelReady();
            if (!loaded && (!pilot.IsPlaying() || ++waited < 200)) return;
        }
        if (!loaded || inLevel()) {
            done = true;
            host::InjectClose();
        }
    });
    return loaded;
}

// The game's frame without the present: Update, then the screen drawn into
// the locked back buffer.
void Frame() {
    CGameApp* app = CGameApp::GetInstance();
    app->Update();
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
    app->GetRootNode()->Draw();
    surface->Unlock();
}

void BM_BusiestFrame(benchmark::State& state) {
    const GameDirectory dir;
    Place best;
    for (std::int32_t n = 0; n < scenes::kLevelCount; ++n) {
        int frames = 0;
        // The characters are surveyed once they have had 10 frames.
        PlayLevel(dir, n, [&] {
            if (++frames < 10) return false;
            const Place place = BusiestPlace(n);
            if (place.inView > best.inView) best = place;
            return true;
        });
    }
    if (best.level < 0) {
        state.SkipWithError("no level loaded");
        return;
    }
    enum class Phase { Pages, Settle, Measured } phase = Phase::Pages;
    int waited = 0, calm = 0;
    double seconds = 0;
    std::size_t allocations = 0;
    std::string failure = "never measured";
    PlayLevel(dir, best.level, [&] {
        AZ_Client* client = AZ_Client::getInstance();
        AZ_Presenter* player = AZ_FindPlayer();
        if (player == nullptr) {
            failure = "the player is gone";
            return true;
        }
        if (phase == Phase::Pages) {
            // The opening pages turned until the player has had the keys
            // for 10 frames; then the player is dropped in the middle of the
            // place, a tile up, so that its landing plays (and first loads)
            // its sound before the measured frames.
            ++waited;
            if (client->getAdapter()->getKeyCharacter() != player->getId()) {
                calm = 0;
                if (waited % 5 == 0) vktools::Press(VK_RETURN);
            }
            if (++calm < 10 && waited < 600) return false;
            player->setX(AZ_Adapter::pixelToWorld(best.left + client->getCamera()->GetViewWidth() / 2));
            player->setY(player->getY() - AZ_Adapter::pixelToWorld(24));
            phase = Phase::Settle;
            waited = 0;
            return false;
        }
        if (++waited < 25) return false;  // the camera has scrolled there
        const std::string chain = vktools::GamePilot::StateChain();
        const std::int32_t health = player->findCodeSlot(20);
        for (auto _ : state) {
            const std::size_t before = g_allocations;
            const Clock::time_point t0 = Clock::now();
            Frame();
            const double took = std::chrono::duration<double>(Clock::now() - t0).count();
            allocations += g_allocations - before;
            seconds += took;
            state.SetIterationTime(took);
            // The time between two frames passes: the sounds play on (the
            // host mixes them) and end. The player is kept alive: the
            // walkers may be at it.
            host::AdvanceVirtualClock(48);
            if (health != -1) b_health_setHealth(health, b_health_getMaxHealth(health));
        }
        failure = vktools::GamePilot::StateChain() != chain || AZ_FindPlayer() != player
                      ? "the game left the level while measured"
                      : "";
        return true;
    });
    if (!failure.empty()) {
        state.SkipWithError(failure.c_str());
        return;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["level"] = best.level;
    state.counters["sprites_in_view"] = best.inView;
    state.counters["sprites_in_level"] = best.inLevel;
    state.counters["tick_share_pct"] = seconds / frames / 0.048 * 100;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
}
BENCHMARK(BM_BusiestFrame)->Iterations(250)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
