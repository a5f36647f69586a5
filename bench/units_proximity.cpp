// Characters sensing each other: 64 characters of one type spread over a
// wide level, the three nearest searches from one watcher of another type
// against the same 64-bit arithmetic over a std::vector of the positions
// and heights; and one AZ_Client::update(48) with the instance maximum of
// b_directionalProximity (20), b_rectangularProximity and
// b_circularProximity (30 each) and b_trackCharacter (20) attached to 30
// watchers among 34 targets (64 characters, the engine's most). Goals: the
// searches within 4x of the plain loop, and the frame's proximity work
// under 1% of the 48 ms tick (480 us).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace {

constexpr std::int32_t kTarget = 0, kWatcher = 1;

// Targets 3000 apart along a slope, every third one on a ledge above.
struct Spot {
    std::int32_t x, y, h;
};
Spot TargetSpot(std::int32_t i) { return {i * 3000 - 90000, i % 3 == 0 ? 2048 : 4096, 1024}; }
Spot WatcherSpot(std::int32_t i) { return {i * 5000 - 75000 + 700, 4096, 1024}; }

struct World {
    // `targets` targets, and `watchers` watchers carrying the units.
    World(std::int32_t targets, std::int32_t watchers) {
        vktools::ScriptAssembler assembler;
        assembler.Parse("type foe initial idle\ntype hunter initial idle\nstate idle\n", "bench");
        assembler.Build(script);
        vktools::OpenProgramDisplay();
        client = std::make_unique<AZ_Client>(script.data(), static_cast<std::uint32_t>(script.size()));
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        for (std::int32_t i = 0; i < targets; ++i) set(spawn(kTarget, TargetSpot(i)), 27, {512, 1024});
        for (std::int32_t i = 0; i < watchers; ++i) {
            AZ_Presenter* p = spawn(kWatcher, WatcherSpot(i));
            set(p, 27, {512, 1024});
            set(p, 33, {kTarget, 2048, 2048, 8192, 8192, 1, 0, 0});
            set(p, 34, {kTarget, 2048, 8192, 0, 0, 0, 0, -1});
            if (i < 20) {
                set(p, 18, {kTarget, 2048, 8192, 0, -1});
                set(p, 5, {0, 0, 0});
                set(p, 51, {kTarget, 1, 1, 1024, 512, 1, 2});
            }
        }
    }
    ~World() {
        store.reset();
        client.reset();
    }
    AZ_Presenter* spawn(std::int32_t type, const Spot& s) {
        const std::int32_t row = client->spawnCharacter(store->createPresenter(type, s.x, s.y));
        return AZ_Presenter::getPresenter(client->getPresenterOfRow(row));
    }
    static void set(AZ_Presenter* p, std::int32_t id, std::vector<std::int32_t> words) {
        const std::int32_t slot = p->attach(id);
        AZ_Presenter_Singleton::setCodeSlotValue(slot, 0);
        for (std::size_t w = 0; w < words.size(); ++w) {
            AZ_Presenter_Singleton::setCodeSlotValue(slot + 1 + static_cast<std::int32_t>(w), words[w]);
        }
    }

    vktools::Bytes script;
    std::unique_ptr<AZ_Client> client;
    std::unique_ptr<AZ_Presenter_Singleton> store;
};

void BM_EngineSearches(benchmark::State& state) {
    World world(64, 0);
    // The watcher needs no row of its own: the 64 fill the engine.
    AZ_Presenter* watcher = world.store->createPresenter(kWatcher, WatcherSpot(0).x, WatcherSpot(0).y);
    World::set(watcher, 27, {512, 1024});
    for (auto _ : state) {
        benchmark::DoNotOptimize(AZ_FindNearestAtSameHeight(watcher, kTarget, -1));
        benchmark::DoNotOptimize(AZ_FindNearestOfType(watcher, kTarget, -1));
        benchmark::DoNotOptimize(AZ_FindNearestTarget(watcher, kTarget, -1));
    }
}

// The same three searches over a vector: the squared distance in 64 bits,
// saturated, between the feet, with the height window, and between the top
// centres.
void BM_PlainSearches(benchmark::State& state) {
    std::vector<Spot> spots;
    for (std::int32_t i = 0; i < 64; ++i) spots.push_back(TargetSpot(i));
    const Spot me = WatcherSpot(0);
    const auto distance = [](std::int64_t dx, std::int64_t dy) {
        const std::uint64_t d = (static_cast<std::uint64_t>(dx * dx) >> 10) + (static_cast<std::uint64_t>(dy * dy) >> 10);
        return static_cast<std::int64_t>(d < 0x7FFFFFFF ? d : 0x7FFFFFFF);
    };
    for (auto _ : state) {
        std::int64_t best[3] = {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max(),
                                std::numeric_limits<std::int64_t>::max()};
        std::int32_t found[3] = {-1, -1, -1};
        for (std::int32_t i = 0; i < 64; ++i) {
            const Spot& s = spots[static_cast<std::size_t>(i)];
            const std::int64_t feet = distance(std::int64_t{s.x} - me.x, std::int64_t{s.y} - me.y);
            const bool level = (me.y - me.h <= s.y && s.y <= me.y) || (s.y - s.h <= me.y && me.y <= s.y);
            if (level && feet < best[0]) best[0] = feet, found[0] = i;
            if (feet < best[1]) best[1] = feet, found[1] = i;
            const std::int64_t top = distance(std::int64_t{s.x} - me.x, std::int64_t{s.y} - s.h - (me.y - me.h));
            if (top < best[2]) best[2] = top, found[2] = i;
        }
        benchmark::DoNotOptimize(found);
    }
}

void BM_ProximityFrame(benchmark::State& state) {
    World world(34, 30);
    for (auto _ : state) {
        for (std::int32_t i = 0; i < 30; ++i) {
            AZ_Presenter* p = AZ_Presenter::getPresenter(world.client->getPresenterOfRow(34 + i));
            p->setX(WatcherSpot(i).x);
            p->setY(WatcherSpot(i).y);
        }
        world.client->update(48);
    }
}

// The same frame without the proximity units, for the difference.
void BM_FrameWithoutProximity(benchmark::State& state) {
    World world(34, 30);
    for (std::int32_t i = 0; i < 30; ++i) {
        AZ_Presenter* p = AZ_Presenter::getPresenter(world.client->getPresenterOfRow(34 + i));
        for (const std::int32_t id : {18, 33, 34, 51}) p->detach(id);
    }
    for (auto _ : state) world.client->update(48);
}

BENCHMARK(BM_EngineSearches);
BENCHMARK(BM_PlainSearches);
BENCHMARK(BM_ProximityFrame);
BENCHMARK(BM_FrameWithoutProximity);

}  // namespace
