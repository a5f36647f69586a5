// The engine's code-id dispatcher and attachment list beside plain
// equivalents. The goals are fractions of the 48 ms frame tick: a frame's
// 512 behaviour updates within 0.05% (24 us) and at most 4x a flat loop of
// the same calls; a worst-case attach and detach within 3x a std::vector
// insert and erase at the front; a level's 512 attaches within 0.25%.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "src/actionZel/AZ_Manager.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"

namespace {

// A behaviour that reads and writes two of its words.
[[gnu::noinline]] void BenchUpdate(AZ_Presenter*, std::int32_t slot, std::int32_t frameTime) {
    const std::int32_t a = AZ_Presenter_Singleton::getCodeSlotValue(slot + 1);
    const std::int32_t b = AZ_Presenter_Singleton::getCodeSlotValue(slot + 2);
    AZ_Presenter_Singleton::setCodeSlotValue(slot + 1, a + frameTime);
    AZ_Presenter_Singleton::setCodeSlotValue(slot + 2, b ^ a);
}
void BenchSlot(AZ_Presenter*, std::int32_t) {}

// One id of each interval (-32768, 64, 128, 32), then ids of interval 32
// with at least three words, taken while they have free instances.
constexpr std::int32_t kFixedIds[] = {27, 40, 41, 2};
constexpr std::int32_t kMoreIds[] = {1,  5,  8,  10, 12, 33, 34, 51, 18, 24, 25, 9,  11,
                                     14, 16, 42, 46, 48, 55, 57, 63, 65, 67, 68, 69, 72};

struct Engine {
    Engine() {
        AZ_SetManager(&manager);
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        for (std::int32_t id = 0; id < AZ_NUM_BEHAVIORS; ++id) {
            saved.push_back(AZ_SwapUnit(id, AZ_Unit{"bench", id, BenchSlot, BenchUpdate, nullptr, BenchSlot, nullptr, 0, false}));
        }
    }
    ~Engine() {
        for (std::int32_t id = 0; id < AZ_NUM_BEHAVIORS; ++id) AZ_SwapUnit(id, saved[static_cast<std::size_t>(id)]);
        store.reset();
        AZ_SetManager(nullptr);
    }

    // 64 presenters with 8 behaviours each; with `params`, each attach also
    // loads its parameters as a script's call does.
    void attachLevel(AZ_ParamArray params = {}) {
        if (plan.empty()) planLevel();
        for (const auto& [p, id] : plan) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
            const std::int32_t slot = presenter->attach(id);
            if (params.size() > 0) manager.dispatch(AZ_MODE_ATTACH, presenter, id, slot, 0, 0, params);
        }
    }

    void planLevel() {
        std::size_t cursor = 0;
        for (std::int32_t p = 0; p < 64; ++p) {
            std::size_t attached = 0;
            const auto take = [&](std::int32_t id) {
                if (manager.findFreeInstance(id) < 0) return;
                AZ_Presenter::getPresenter(p)->attach(id);
                plan.emplace_back(p, id);
                ++attached;
            };
            for (std::int32_t id : kFixedIds) take(id);
            for (std::size_t tries = 0; attached < 8 && tries < std::size(kMoreIds); ++tries) {
                take(kMoreIds[cursor++ % std::size(kMoreIds)]);
            }
        }
        store->reset();
    }

    // One frame's update pass: each presenter's run from its end.
    void frame() {
        const std::int8_t* codes = store->getCodeList();
        const std::int16_t* slots = store->getSlotList();
        for (std::int32_t p = 0; p < 64; ++p) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
            for (std::int32_t i = presenter->getRunEnd() - 1; i >= presenter->getRunStart(); --i) {
                manager.dispatch(AZ_MODE_UPDATE, presenter, codes[i], slots[i], 48, 0, {});
            }
        }
        manager.endFrame();
    }

    AZ_Manager manager;
    std::unique_ptr<AZ_Presenter_Singleton> store;
    std::vector<AZ_Unit> saved;
    std::vector<std::pair<std::int32_t, std::int32_t>> plan;  // (presenter, id)
};

void BM_DispatchFrame(benchmark::State& state) {
    Engine engine;
    engine.attachLevel();
    if (engine.plan.size() != 512) state.SkipWithError("the level does not hold 512 behaviours");
    for (auto _ : state) engine.frame();
    state.SetItemsProcessed(state.iterations() * 512);
}

// The same 512 calls made directly.
void BM_FlatFrame(benchmark::State& state) {
    Engine engine;
    engine.attachLevel();
    std::vector<std::pair<AZ_Presenter*, std::int32_t>> calls;
    for (std::int32_t p = 0; p < 64; ++p) {
        AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
        for (std::int32_t i = presenter->getRunEnd() - 1; i >= presenter->getRunStart(); --i) {
            calls.emplace_back(presenter, engine.store->getSlotList()[i]);
        }
    }
    for (auto _ : state) {
        for (const auto& [presenter, slot] : calls) BenchUpdate(presenter, slot, 48);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(calls.size()));
}

// Presenter 0 attaches and detaches an id in front of 590 entries.
void BM_AttachDetachInFront(benchmark::State& state) {
    Engine engine;
    std::int32_t entries = 0;
    for (std::int32_t p = 1; p < AZ__MAX_PRESENTER && entries < 590; ++p) {
        for (std::int32_t id = 0; id < AZ_FIRST_INSTRUCTION && entries < 590; ++id) {
            if (id != 27 && engine.manager.findFreeInstance(id) >= 0) {
                entries += AZ_Presenter::getPresenter(p)->attach(id) >= 0 ? 1 : 0;
            }
        }
    }
    AZ_Presenter* first = AZ_Presenter::getPresenter(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(first->attach(27));
        first->detach(27);
    }
}

void BM_VectorInsertEraseInFront(benchmark::State& state) {
    std::vector<std::pair<std::int8_t, std::int16_t>> list(590, {5, 100});
    list.reserve(600);
    for (auto _ : state) {
        list.insert(list.begin(), {27, 1735});
        benchmark::DoNotOptimize(list.data());
        list.erase(list.begin());
    }
}

// A level's 512 attaches, each loading its parameters.
void BM_AttachLevel(benchmark::State& state) {
    Engine engine;
    const std::uint8_t bytes[] = {0, 7, 0, 0xFF, 0x7F, 1, 0x80, 0x01, 0, 2, 0, 3, 0};  // odd-aligned words
    const AZ_ParamArray params(bytes + 1, 6);
    for (auto _ : state) {
        state.PauseTiming();
        engine.store->reset();
        state.ResumeTiming();
        engine.attachLevel(params);
    }
    state.SetItemsProcessed(state.iterations() * 512);
}

}  // namespace

BENCHMARK(BM_DispatchFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlatFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AttachDetachInFront);
BENCHMARK(BM_VectorInsertEraseInFront);
BENCHMARK(BM_AttachLevel)->Unit(benchmark::kMicrosecond);
