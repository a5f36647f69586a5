// The engine's frame over a level of 64 characters, beside a flat loop of
// the same unit calls, and a burst of events through the state machines.
// The goals are fractions of the 48 ms frame tick: update(48) with the two
// render passes within 0.1% (48 us), the flat loop for the ratio; 64
// events falling through a state and an override to a handler with two
// attaches and an instruction within 0.05% (24 us). The same frame on the
// tiles benchmark's map, painted as the game paints it (back layers with
// their characters, priorities 4-100, front layers, 0-3), a quarter of
// the characters on map layers: within 0.6% (288 us), the frame's and the
// layers' goals together.
//
// Each character has 8 behaviours; the code-slot memory holds 70 visual
// instances and the attachment list 600 entries, so the level's 70
// visuals go one or two a character to the first ones.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "bench/BenchLevel.h"
#include "host/Debug.h"
#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Unit.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace {

volatile std::int32_t g_sink = 0;

// Bench units: each reads two of its words.
[[gnu::noinline]] void BenchUpdate(AZ_Presenter*, std::int32_t slot, std::int32_t frameTime) {
    g_sink = g_sink + AZ_Presenter_Singleton::getCodeSlotValue(slot + 1) + frameTime;
}
[[gnu::noinline]] void BenchRender(AZ_Presenter*, std::int32_t slot) {
    g_sink = g_sink + AZ_Presenter_Singleton::getCodeSlotValue(slot);
}
void BenchSlot(AZ_Presenter*, std::int32_t) {}
void BenchInstruction(AZ_Presenter*, std::int32_t offset, AZ_ParamArray params) { g_sink = g_sink + params[offset]; }

constexpr char kScript[] = R"(
event ping 300
type base_t initial b_idle
type actor base base_t initial a_idle
state b_idle
on ping
    b_boundingBox 1 2 3
    b_actionBubble 4 5
    f_customCodeInstruction 7
state a_idle
state top
on 301
)";

// Behaviours besides b_child (2) and b_drawable (40), with mixed update
// intervals, taken while they have free instances.
constexpr std::int32_t kMoreIds[] = {27, 41, 1, 5, 8, 10, 12, 33, 34, 51, 18, 24, 25, 9, 11,
                                     14, 16, 42, 46, 48, 55, 57, 63, 65, 67, 68, 69, 72, 7, 20};

struct Level {
    Level() {
        vktools::ScriptAssembler assembler;
        assembler.Parse(kScript, "bench");
        assembler.Build(script);  // before the units are renamed
        for (std::int32_t id = 0; id < AZ_FIRST_EVENT; ++id) {
            AZ_Unit unit = AZ_GetUnit(id);
            if (id < AZ_FIRST_VISUAL) {
                unit = AZ_Unit{"b", id, BenchSlot, BenchUpdate, nullptr, BenchSlot, nullptr, 0, false};
            } else if (id < AZ_FIRST_INSTRUCTION) {
                unit = AZ_Unit{"v", id, BenchSlot, nullptr, BenchRender, BenchSlot, nullptr, 0, false};
            } else {
                unit.instruction = BenchInstruction;
            }
            saved.push_back(AZ_SwapUnit(id, unit));
        }
        vktools::OpenProgramDisplay();
        client = std::make_unique<AZ_Client>(script.data(), static_cast<std::uint32_t>(script.size()));
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        for (std::int32_t p = 0; p < 64; ++p) client->spawnCharacter(store->createPresenter(1, 0, 0));
    }
    ~Level() {
        store.reset();
        client.reset();
        for (std::int32_t id = 0; id < AZ_FIRST_EVENT; ++id) AZ_SwapUnit(id, saved[static_cast<std::size_t>(id)]);
    }

    // 8 behaviours a character; 16 chains of 4, each child's parent the
    // next presenter up; 16 priorities in both bands; the 70 visuals.
    void attachUnits() {
        std::size_t cursor = 0;
        for (std::int32_t p = 0; p < 64; ++p) {
            AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
            const std::int32_t child = presenter->attach(2);
            AZ_Presenter_Singleton::setCodeSlotValue(child + 4, p % 4 == 3 ? -1 : p + 1);
            AZ_Presenter_Singleton::setCodeSlotValue(presenter->attach(40) + 1, (p % 16) * 6);
            for (std::int32_t attached = 2; attached < 8; ++cursor) {
                const std::int32_t id = kMoreIds[cursor % std::size(kMoreIds)];
                if (presenter->findCodeSlot(id) == -1 && AZ_GetManager()->findFreeInstance(id) >= 0) {
                    presenter->attach(id);
                    ++attached;
                }
            }
        }
        for (std::int32_t id = AZ_FIRST_VISUAL; id < AZ_FIRST_INSTRUCTION; ++id) {
            for (std::int32_t p = 0; p < 64 && AZ_GetManager()->findFreeInstance(id) >= 0; ++p) {
                AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
                if (presenter->findCodeSlot(id) == -1) presenter->attach(id);
            }
        }
    }

    vktools::Bytes script;
    std::unique_ptr<AZ_Client> client;
    std::unique_ptr<AZ_Presenter_Singleton> store;
    std::vector<AZ_Unit> saved;
};

void BM_LevelFrame(benchmark::State& state) {
    host::SetDebugSink([](std::u16string_view) {});
    Level level;
    bench::BenchLevel map;
    map.Load(level.client.get());
    level.attachUnits();
    for (std::int32_t p = 0; p < 64; p += 4) {  // on layers 0-3, drawn by the camera
        const std::int32_t drawable = AZ_Presenter::getPresenter(p)->findCodeSlot(40);
        AZ_Presenter_Singleton::setCodeSlotValue(drawable + 1, -(p / 4 % 4 + 1));
    }
    Camera* camera = level.client->getCamera();
    ICRenderSurface* surface = vktools::OpenProgramDisplay();
    vktools::LockForDrawing(surface);
    std::int32_t frame = 0;
    for (auto _ : state) {
        frame = (frame + 1) % 400;
        camera->LookAtPixels(120 + frame * 9, 160 + frame * 2, 0);
        camera->UpdateScroll(48);
        level.client->update(48);
        camera->Draw(true);
        level.client->render(4, 100);
        camera->Draw(false);
        level.client->render(0, 3);
    }
    surface->Unlock();
    level.client->getAdapter()->releaseLevel();
    host::SetDebugSink(nullptr);
}

void BM_EngineFrame(benchmark::State& state) {
    Level level;
    level.attachUnits();
    for (auto _ : state) {
        level.client->update(48);
        level.client->render(4, 100);
        level.client->render(0, 3);
    }
}

// Every behaviour's update and every visual's render, called directly.
void BM_FlatFrame(benchmark::State& state) {
    Level level;
    level.attachUnits();
    struct Call {
        AZ_Presenter* presenter;
        std::int32_t slot;
        bool visual;
    };
    std::vector<Call> calls;
    for (std::int32_t p = 0; p < 64; ++p) {
        AZ_Presenter* presenter = AZ_Presenter::getPresenter(p);
        for (std::int32_t i = presenter->getRunEnd() - 1; i >= presenter->getRunStart(); --i) {
            const bool visual = level.store->getCodeList()[i] >= AZ_FIRST_VISUAL;
            calls.push_back({presenter, level.store->getSlotList()[i], visual});
        }
    }
    for (auto _ : state) {
        for (const Call& c : calls) {
            if (c.visual) {
                BenchRender(c.presenter, c.slot);
            } else {
                BenchUpdate(c.presenter, c.slot, 48);
            }
        }
    }
    state.counters["calls"] = static_cast<double>(calls.size());
}

// 64 events, each past a state that does not list it and an override to
// the base state's handler.
void BM_EventsFallThrough(benchmark::State& state) {
    Level level;
    for (std::int32_t row = 0; row < 64; ++row) level.client->pushState(row, 2);
    for (auto _ : state) {
        for (std::int32_t row = 0; row < 64; ++row) level.client->raiseEvent(row, 300);
    }
    state.SetItemsProcessed(state.iterations() * 64);
}

}  // namespace

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LevelFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlatFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EventsFallThrough)->Unit(benchmark::kMicrosecond);
