// Characters meeting, through the engine's frame: 64 characters of the
// target type with boxes and velocities, b_bBoxCollidable on 10 of them,
// b_szCollidable on 20 (the walker's sprite of the game's archive, its
// collision rectangle) and b_directionalFacing on 10, and one
// AZ_Client::update(48), beside the same work (1,920 swept-box contact
// times, 640 distances) as plain loops over a std::vector of the boxes.
// Goals: the engine's walk within 4x of the plain loop, and the frame's
// collision work under 1% of the 48 ms tick (480 us).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "src/actionZel/AZ_Client.h"
#include "src/actionZel/AZ_Geometry.h"
#include "src/actionZel/AZ_Presenter.h"
#include "src/actionZel/AZ_Services.h"
#include "src/actionZel/cc/v_sz.h"
#include "src/game/AZ_Adapter.h"
#include "tools/MenuSprites.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace {

constexpr std::int32_t kCharacters = 64, kColliders = 10, kFacers = 10, kStrikers = 20;
// The walker's sprite: archetype 1, its animation 0, whose frames carry a
// 12 x 14 pixel collision rectangle above the feet.
constexpr std::int32_t kArchetype = 1, kRectX = -6, kRectY = -14, kRectW = 12, kRectH = 14;

// Boxes 512 x 1024 in a row 2048 apart, moving right at 1024: no two
// meet, so every pair is tested.
struct Body {
    std::int32_t x, y, w, h, vx, vy;
};
Body BodyOf(std::int32_t i) { return {i * 2048, 4096, 512, 1024, 1024, 0}; }

struct World {
    World() {
        vktools::ScriptAssembler assembler;
        assembler.Parse("type foe initial idle\nstate idle\n", "bench");
        assembler.Build(script);
        vktools::OpenProgramDisplay();
        SZ_Home* home = CGameApp::GetSpriteHome();
        if (!home->IsConstructed() && !vktools::OpenGameArchive(VK_GAME_ARCHIVE)) std::abort();
        home->QueueArchetypeCharacter(kArchetype, 0);
        while (home->ProcessLoadQueue(500)) {
        }
        client = std::make_unique<AZ_Client>(script.data(), static_cast<std::uint32_t>(script.size()));
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        for (std::int32_t i = 0; i < kCharacters; ++i) {
            const Body b = BodyOf(i);
            AZ_Presenter* p = AZ_Presenter::getPresenter(client->getPresenterOfRow(
                client->spawnCharacter(store->createPresenter(0, b.x, b.y))));
            set(p, 27, {b.w, b.h});
            set(p, 5, {b.vx, b.vy, 0});
            if (i < kColliders) set(p, 6, {0, -1});
            if (i >= kColliders && i < kColliders + kFacers) set(p, 30, {0});
            if (i >= kColliders + kFacers && i < kColliders + kFacers + kStrikers) {
                set(p, 86, {kArchetype, 0});
                v_sz_attach(p, p->findCodeSlot(86));
                client->getSpritePool()->setAnimation(v_sz_getPoolId(p->findCodeSlot(86)), 0, 0, 1);
                set(p, 10, {0, 0});
                // Without its rectangle the unit would skip the walk.
                if (client->getSpritePool()->getCollisionRectWidth(v_sz_getPoolId(p->findCodeSlot(86))) != kRectW) {
                    std::abort();
                }
            }
        }
    }
    ~World() {
        store.reset();
        client.reset();
    }
    static void set(AZ_Presenter* p, std::int32_t id, std::vector<std::int32_t> words) {
        const std::int32_t slot = p->attach(id);
        AZ_Presenter_Singleton::setCodeSlotValue(slot, 0);
        for (std::size_t w = 0; w < words.size(); ++w) {
            AZ_Presenter_Singleton::setCodeSlotValue(slot + 1 + static_cast<std::int32_t>(w), words[w]);
        }
    }
    // Back to the start, so that every frame does the same work.
    void place() {
        for (std::int32_t i = 0; i < kCharacters; ++i) AZ_Presenter::getPresenter(i)->setX(BodyOf(i).x);
    }

    vktools::Bytes script;
    std::unique_ptr<AZ_Client> client;
    std::unique_ptr<AZ_Presenter_Singleton> store;
};

void BM_EngineCollideFrame(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        world.place();
        world.client->update(48);
    }
}

void BM_PlainCollideLoop(benchmark::State& state) {
    std::vector<Body> bodies;
    for (std::int32_t i = 0; i < kCharacters; ++i) bodies.push_back(BodyOf(i));
    for (auto _ : state) {
        std::int32_t hits = 0, nearest = 0;
        for (std::int32_t i = 0; i < kColliders; ++i) {
            const Body& a = bodies[static_cast<std::size_t>(i)];
            for (const Body& b : bodies) {
                if (&b == &a) continue;
                const std::int32_t c = AZ_SweptBoxContactTime(a.x - (a.w >> 1), a.y - a.h, a.w, a.h, b.x - (b.w >> 1),
                                                              b.y - b.h, b.w, b.h, a.vx, a.vy, b.vx, b.vy);
                hits += c >= 0 && c < 48;
            }
        }
        const std::int32_t rx = AZ_Adapter::pixelToWorld(kRectX), ry = AZ_Adapter::pixelToWorld(kRectY);
        const std::int32_t rw = AZ_Adapter::pixelToWorld(kRectW), rh = AZ_Adapter::pixelToWorld(kRectH);
        for (std::int32_t i = kColliders + kFacers; i < kColliders + kFacers + kStrikers; ++i) {
            const Body& a = bodies[static_cast<std::size_t>(i)];
            for (const Body& b : bodies) {
                if (&b == &a) continue;
                const std::int32_t c = AZ_SweptBoxContactTime(b.x - a.x - (b.w >> 1), b.y - a.y - b.h, b.w, b.h, rx,
                                                              ry, rw, rh, b.vx, b.vy, a.vx, a.vy);
                hits += c >= 0 && c <= 48;
            }
        }
        for (std::int32_t i = kColliders; i < kColliders + kFacers; ++i) {
            const Body& a = bodies[static_cast<std::size_t>(i)];
            std::int32_t best = 0x7FFFFFFF;
            for (const Body& b : bodies) {
                if (&b == &a) continue;
                const std::int32_t d = AZ_GetSquaredDistance(a.x, a.y, b.x, b.y);
                if (d < best) {
                    best = d;
                    nearest = b.x;
                }
            }
        }
        benchmark::DoNotOptimize(hits);
        benchmark::DoNotOptimize(nearest);
    }
}

BENCHMARK(BM_EngineCollideFrame);
BENCHMARK(BM_PlainCollideLoop);

}  // namespace
