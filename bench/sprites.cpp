// Drawing the engine pool's 70 sprite presenters on the headless 240 x 320
// RGB 565 back buffer, each frame 3 layers of 2 image sprites (16 x 16,
// keyed, one of them mirrored) and a filled rect, beside a floor: the same
// CSoftwareImage::Draw and CDrawUtil::FillRect calls from a list made
// beforehand. Goals: the walk within 1.25 times its floor, and no
// allocation while drawing (the allocs_per_frame counter).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "bench/CountingNew.h"
#include "host/DDraw.h"
#include "host/File.h"
#include "host/Window.h"
#include "platform/shared/graphics/2d/CDrawUtil.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/CResMgr.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"
#include "tools/SingletonTableApp.h"
#include "tools/SpriteWriter.h"

namespace {

constexpr int kW = 240, kH = 320, kPresenters = 70, kSide = 16;
constexpr std::uint32_t kRectColour = 0xFF208040;

struct Services {
    CSoftwareBlitter blitter;
    CResMgr* resources = nullptr;
    SZ_Home* home = nullptr;
} g_services;

// Two images of a disc on magenta; sprites 0 and 1 draw them, sprite 2
// draws the first mirrored; sprite 3 is the rect. Each layer holds two
// image sprites and the rect, the frame three layers.
vktools::SpriteSet BenchSprites() {
    vktools::SpriteSet set;
    for (std::uint32_t shade : {0x204080u, 0x806020u}) {
        vktools::BmpDesc bmp{kSide, kSide, 8, {0xFF00FF, shade, shade * 2, 0xFFFFFF}, 4, {}};
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int dx = 2 * x - kSide + 1, dy = 2 * y - kSide + 1;
                bmp.pixels.push_back(dx * dx + dy * dy < kSide * kSide ? 1 + (x + y) % 3 : 0);
            }
        }
        set.images.push_back(bmp);
    }
    set.tints = {{0, -1}, {1, -1}};
    set.imageSprites = {{0, 0}, {1, 0}, {0, 2}};
    set.rectSprites = {{static_cast<std::int32_t>(kRectColour), 8, 4, 1}};
    set.archetypes = {{{{{0, 0, 0}, {1, 12, 4}, {3, 2, 18}}, {{2, -10, 6}, {0, 4, -8}, {3, -6, 20}},
                        {{1, 8, 8}, {2, 0, 14}, {3, 10, -4}}},
                       {{{0, 0, 0}, {1, 20, 0}, {2, 0, 20}}},
                       {{{0, 10}}},
                       {{{0, 1, 2}, -1}}}};
    return set;
}

// One call of the floor: an image with its blit flags at (x, y), or the
// rect (image null).
struct Call {
    CSoftwareImage* image;
    std::uint32_t flags;
    std::int32_t x, y;
};

struct Scene {
    Scene() {
        host::ResetDisplay();
        host::ResetWindowing();
        CApp::SetInstance(app);
        app->Startup();
        graphics = ICGraphics2d::GetInstance();
        if (graphics == nullptr || !graphics->Init()) std::abort();
        std::int32_t pitch = 0;
        graphics->GetRenderSurface()->Lock(&bits, &pitch);
        g_services.blitter.Init(graphics->GetRenderSurface()->GetPixelFormat(), bits, pitch);
        bytes = static_cast<std::size_t>(pitch) * kH;

        const vktools::SpriteSet set = BenchSprites();
        vktools::ArchiveBuilder archive;
        archive.AddManifest({});
        vktools::AddSpriteSet(archive, set);
        path = (std::filesystem::temp_directory_path() / ("vk-bench-sprites-" + std::to_string(getpid()))).string();
        g_services.resources = new CResMgr();
        if (!archive.WriteFile(path) || !g_services.resources->Open(host::ToPhonePath(path).c_str())) std::abort();
        g_services.home = new SZ_Home();
        SZ_Home& home = *g_services.home;
        home.Construct();
        home.QueueArchetypeCharacter(0, 0);
        while (home.ProcessLoadQueue(500)) {
        }
        if (!home.IsArchetypeCharacterLoaded(0, 0)) std::abort();

        for (int i = 0; i < kPresenters; ++i) {
            const std::int32_t px = (i % 10) * 26 - 8, py = (i / 10) * 48 + 4;
            presenters[i].setArchetypeCharacter(0, 0);
            presenters[i].setAnimation(0, 0, 1);
            positions.push_back({px, py});
            // The walk's order: the frame's last layer first, in each layer
            // the last sprite first.
            const vktools::SpriteArchetype& archetype = set.archetypes[0];
            for (auto layer = archetype.frames[0].rbegin(); layer != archetype.frames[0].rend(); ++layer) {
                const auto& sprites = archetype.layers[layer->id];
                for (auto sprite = sprites.rbegin(); sprite != sprites.rend(); ++sprite) {
                    const std::int32_t x = px + layer->dx + sprite->dx, y = py + layer->dy + sprite->dy;
                    if (sprite->id == 3) {
                        calls.push_back({nullptr, 0, x, y});
                    } else {
                        const vktools::SpriteImage& s = set.imageSprites[sprite->id];
                        calls.push_back({home.GetImage(set.tints[s.tint].image).GetVariant(0),
                                         s.orientation == 2 ? CSoftwareImage::kMirror : 0u, x, y});
                    }
                }
            }
        }
    }
    ~Scene() {
        delete g_services.home;
        delete g_services.resources;
        std::filesystem::remove(path);
        graphics->GetRenderSurface()->Unlock();
        delete ICGraphics2d::GetInstance();
        delete app;  // and the singletons left in its table
        CApp::SetInstance(nullptr);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void DrawPresenters() {
        for (int i = 0; i < kPresenters; ++i) presenters[i].draw(positions[i].x, positions[i].y);
    }
    void DrawFloor() {
        for (const Call& call : calls) {
            if (call.image == nullptr) {
                const CRect rect(static_cast<std::int16_t>(call.x), static_cast<std::int16_t>(call.y), 8, 4);
                CDrawUtil::FillRect(&rect, kRectColour);
            } else {
                call.image->Draw(&clip, call.x, call.y, kSide, kSide, 0, 0, call.flags);
            }
        }
    }
    std::vector<std::uint8_t> Frame() const { return std::vector<std::uint8_t>(bits, bits + bytes); }
    void Clear() { std::memset(bits, 0, bytes); }
    bool FloorDrawsThePresenters() {
        Clear();
        DrawPresenters();
        const std::vector<std::uint8_t> walked = Frame();
        Clear();
        DrawFloor();
        return Frame() == walked;
    }

    struct Point {
        std::int32_t x, y;
    };
    vktools::SingletonTableApp* app = new vktools::SingletonTableApp();
    ICGraphics2d* graphics = nullptr;
    std::uint8_t* bits = nullptr;
    std::size_t bytes = 0;
    std::string path;
    SZ_Presenter presenters[kPresenters];
    std::vector<Point> positions;
    std::vector<Call> calls;
    const CRect clip{0, 0, kW, kH};
};

void BM_DrawPresenters(benchmark::State& state) {
    Scene scene;
    if (!scene.FloorDrawsThePresenters()) state.SkipWithError("the floor draws another picture");
    const std::size_t before = g_allocations;
    for (auto _ : state) {
        scene.DrawPresenters();
        benchmark::ClobberMemory();
    }
    state.counters["allocs_per_frame"] =
        benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DrawPresenters);

void BM_DrawFloor(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.DrawFloor();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawFloor);

}  // namespace

CSoftwareBlitter* CGameApp::GetBlitter() { return &g_services.blitter; }
CResMgr* CGameApp::GetResMgr() { return g_services.resources; }
SZ_Home* CGameApp::GetSpriteHome() { return g_services.home; }

// The application's hooks; this program has no executor.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
