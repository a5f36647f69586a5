// The application's tick on the headless device: 24 queued key events
// handed through the applet, then a running frame (update and draw) over
// the root, two nested state machines and a leaf, beside the device's own
// lock, unlock and present alone. Goals: the tick within 1.05 times the
// device alone, and no allocation of the game's own per tick (the
// allocs_per_tick counters equal: the headless present keeps a copy of each
// frame, one allocation of the host's).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "bench/CountingNew.h"
#include "host/DDraw.h"
#include "host/File.h"
#include "host/WaveOut.h"
#include "host/Window.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "src/CGameApp.h"
#include "src/CRootNode.h"
#include "src/win32/CApplet.h"

namespace {

// A machine whose states are pushed from outside.
class Machine : public CStateMachineNode {
protected:
    std::int32_t CreateState(CNode** node, std::uint32_t) override {
        *node = nullptr;
        return 0;
    }
    void OnStateResult(std::uint32_t, CNode*) override {}
};

// The application started on its archive (built beside the benchmark's
// executable by the build), with the applet's queue and the platform core.
class Game {
public:
    Game() {
        char pattern[] = "/tmp/vk-bench-XXXXXX";
        m_dir = mkdtemp(pattern);
        std::filesystem::copy_file(VK_GAME_ARCHIVE, m_dir + "/velkorin.big");
        host::SetModuleDirectory(m_dir);
        host::SetMediaBackend(host::MediaBackend::Headless);
        host::ResetWindowing();
        m_applet = CApplet::Create(nullptr);
        ICCore::SetInstance(CCore_Win32::Create());
        m_app = static_cast<CGameApp*>(CreateGameApp());
        CApp::SetInstance(m_app);
        m_app->Startup();
        m_applet->PostEvent(EVENT_START, 0, 0);
        m_applet->FlushEvents();
        auto* outer = new Machine();
        auto* inner = new Machine();
        m_app->GetRootNode()->PushState(1, outer);
        outer->PushState(1, inner);
        inner->PushState(1, new CNode());
    }
    ~Game() {
        m_app->Shutdown();
        delete m_app;
        CApp::SetInstance(nullptr);
        delete ICCore::GetInstance();
        ICCore::SetInstance(nullptr);
        delete m_applet;
        host::ResetWindowing();
        std::filesystem::remove_all(m_dir);
    }

    void Tick() {
        for (int i = 0; i < 12; ++i) {
            m_applet->PostEvent(EVENT_KEY_DOWN, 4, 0);
            m_applet->PostEvent(EVENT_KEY_UP, 4, 0);
        }
        m_applet->FlushEvents();
    }

private:
    std::string m_dir;
    CApplet* m_applet;
    CGameApp* m_app;
};

void BM_Tick(benchmark::State& state) {
    Game game;
    game.Tick();
    const std::size_t before = g_allocations;
    for (auto _ : state) game.Tick();
    state.counters["allocs_per_tick"] =
        benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Tick);

void BM_DeviceAlone(benchmark::State& state) {
    Game game;
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    ICRenderSurface* surface = graphics->GetRenderSurface();
    const std::size_t before = g_allocations;
    for (auto _ : state) {
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        surface->Lock(&bits, &pitch);
        benchmark::DoNotOptimize(bits);
        surface->Unlock();
        graphics->Present();
    }
    state.counters["allocs_per_tick"] =
        benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DeviceAlone);

}  // namespace
