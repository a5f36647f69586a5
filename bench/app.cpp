// The application's tick on the headless device: 24 queued key events
// handed through the applet, then a running frame (update and draw) over
// the root, two nested state machines and a leaf, beside the device's own
// lock, unlock and present alone. Goals: the tick within 1.05 times the
// device alone, and no allocation of the game's own per tick (the
// allocs_per_tick counters equal: the headless present keeps a copy of each
// frame, one allocation of the host's).
#include <benchmark/benchmark.h>

#include "bench/BenchGame.h"
#include "bench/CountingNew.h"
#include "platform/shared/core/SystemEvent.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CRootNode.h"

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

// The game with the root, two nested machines and a leaf, and a tick of 24
// key events.
class Game : public BenchGame {
public:
    Game() {
        auto* outer = new Machine();
        auto* inner = new Machine();
        App()->GetRootNode()->PushState(1, outer);
        outer->PushState(1, inner);
        inner->PushState(1, new CNode());
    }

    void Tick() {
        for (int i = 0; i < 12; ++i) {
            Applet()->PostEvent(EVENT_KEY_DOWN, 4, 0);
            Applet()->PostEvent(EVENT_KEY_UP, 4, 0);
        }
        Applet()->FlushEvents();
    }
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
