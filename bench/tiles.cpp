// The tile map's drawing and sweeps beside plain loops over dense grids.
// Goals: the camera's back and front passes over the bench level (200 x 50
// tiles, 8 layers, parallax 256-1024) scrolling diagonally into the
// 240 x 320 RGB 565 back buffer within 0.5% of the 48 ms tick (240 us) and
// 1.2x a dense-grid loop drawing the same tiles through the same blit
// (memcpy of the same tile rows is reported for scale); 10,000 sweeps of
// 1 x 2-tile boxes moving up to 3 tiles within 2x the dense-grid scan.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "bench/BenchLevel.h"
#include "host/Debug.h"
#include "src/actionZel/AZ_Presenter.h"
#include "tools/ProgramDisplay.h"
#include "tools/ScriptAssembler.h"

namespace {

using bench::kMapHeight;
using bench::kMapWidth;

volatile std::int32_t g_sink = 0;

struct Scene {
    Scene() {
        host::SetDebugSink([](std::u16string_view) {});
        surface = vktools::OpenProgramDisplay();
        vktools::ScriptAssembler assembler;
        assembler.Parse("type a initial s\nstate s\n", "bench");
        assembler.Build(script);
        client = std::make_unique<AZ_Client>(script.data(), static_cast<std::uint32_t>(script.size()));
        store = std::make_unique<AZ_Presenter_Singleton>();
        store->init(AZ__MAX_PRESENTER);
        level.Load(client.get());
        camera = client->getCamera();
        adapter = client->getAdapter();
        tileset = static_cast<CSoftwareImage*>(adapter->getTileset());
        vktools::LockForDrawing(surface);
    }
    ~Scene() {
        surface->Unlock();
        adapter->releaseLevel();
        store->release();
        host::SetDebugSink(nullptr);
    }

    // The next view of a diagonal scroll, the layers' tables rebuilt.
    void Scroll() {
        frame = (frame + 1) % 400;
        camera->SetSnap(true);
        camera->LookAtPixels(120 + frame * 9, 160 + frame * 2, 0);
        camera->UpdateScroll(48);
    }

    // Calls draw(tileset column, x, y, mirrored) for every tile image the
    // camera's passes draw, read from the dense grids.
    template <typename Draw>
    void ForEachTile(Draw draw) const {
        const AZ_Map& map = adapter->getMap();
        for (std::int32_t l = 0; l < bench::kLayers; ++l) {
            const CVector2d first = camera->GetFirstTile(l), offset = camera->GetOffset(l);
            const std::vector<std::int32_t>& grid = level.dense[static_cast<std::size_t>(l)];
            for (std::int32_t r = 0; r < camera->GetTilesToDrawY(); ++r) {
                for (std::int32_t c = 0; c < camera->GetTilesToDrawX(); ++c) {
                    const std::int64_t index = std::int64_t{first.y + r} * kMapWidth + first.x + c;
                    if (index < 0 || index >= kMapWidth * kMapHeight || grid[static_cast<std::size_t>(index)] < 0) {
                        continue;
                    }
                    const std::int32_t code = grid[static_cast<std::size_t>(index)];
                    for (const std::uint8_t column : {map.baseColumn[code & 127], map.overlayColumn[code & 127]}) {
                        if (column != 0) draw(column - 1, c * 24 - offset.x, r * 24 - offset.y, code >= 128);
                    }
                }
            }
        }
    }

    vktools::Bytes script;
    std::unique_ptr<AZ_Client> client;
    std::unique_ptr<AZ_Presenter_Singleton> store;
    bench::BenchLevel level;
    ICRenderSurface* surface = nullptr;
    Camera* camera = nullptr;
    AZ_Adapter* adapter = nullptr;
    CSoftwareImage* tileset = nullptr;
    std::int32_t frame = 0;
};

void BM_CameraDraw(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.Scroll();
        scene.camera->Draw(true);
        scene.camera->Draw(false);
    }
}

void BM_DenseGridDraw(benchmark::State& state) {
    Scene scene;
    static const CRect kWhole(0, 0, 0x7FFF, 0x7FFF);
    std::int64_t tiles = 0;
    for (auto _ : state) {
        scene.Scroll();
        scene.ForEachTile([&](std::int32_t column, std::int32_t x, std::int32_t y, bool mirrored) {
            scene.tileset->Draw(&kWhole, x, y, 24, 24, column * 24, 0, mirrored ? CSoftwareImage::kMirror : 0);
            ++tiles;
        });
    }
    state.counters["tiles"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kAvgIterations);
}

// The tile rows the dense loop draws, copied whole with memcpy.
void BM_MemcpyTiles(benchmark::State& state) {
    Scene scene;
    std::vector<std::uint8_t> target(240 * 320 * 2);
    const auto* pixels = static_cast<CNativeImage*>(scene.tileset)->GetPixels();
    const std::int32_t pitch = scene.tileset->GetWidth() * 2;
    for (auto _ : state) {
        scene.Scroll();
        scene.ForEachTile([&](std::int32_t column, std::int32_t x, std::int32_t y, bool) {
            const std::int32_t tx = (x + 24) % 216, ty = (y + 24) % 296;  // inside the target
            for (std::int32_t row = 0; row < 24; ++row) {
                std::memcpy(&target[static_cast<std::size_t>(((ty + row) * 240 + tx) * 2)],
                            pixels + row * pitch + column * 48, 48);
            }
        });
        benchmark::DoNotOptimize(target.data());
    }
}

struct Box {
    std::int32_t x, y, dx, dy;
};

std::vector<Box> Boxes() {
    std::mt19937 rng(7);
    std::vector<Box> boxes;
    for (int i = 0; i < 5000; ++i) {
        boxes.push_back({static_cast<std::int32_t>(rng() % (kMapWidth * 1024)),
                         static_cast<std::int32_t>(rng() % (kMapHeight * 1024)),
                         static_cast<std::int32_t>(rng() % 6145) - 3072,
                         static_cast<std::int32_t>(rng() % 6145) - 3072});
    }
    return boxes;
}

constexpr std::int32_t kW = 1024, kH = 2048, kLayer = bench::kLayers / 2 - 1;

// 5,000 boxes, each swept across and down: 10,000 sweeps.
void BM_Sweeps(benchmark::State& state) {
    Scene scene;
    const std::vector<Box> boxes = Boxes();
    for (auto _ : state) {
        for (const Box& b : boxes) {
            g_sink = g_sink + scene.adapter->sweepTilesX(kLayer, 0, b.x, b.y, kW, kH, b.x + b.dx);
            g_sink = g_sink + scene.adapter->sweepTilesY(kLayer, 0, b.x, b.y, kW, kH, b.y + b.dy);
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

// The same columns and rows looked up in the dense grid.
void BM_DenseSweeps(benchmark::State& state) {
    Scene scene;
    const std::vector<Box> boxes = Boxes();
    const std::vector<std::int32_t>& grid = scene.level.dense[kLayer];
    const AZ_Map& map = scene.adapter->getMap();
    const auto blocks = [&](std::int32_t column, std::int32_t row, std::int32_t mask) {
        const std::int64_t index = std::int64_t{row} * kMapWidth + column;
        if (index < 0 || index >= kMapWidth * kMapHeight || grid[static_cast<std::size_t>(index)] < 0) return false;
        return (map.collision[grid[static_cast<std::size_t>(index)] & 127] & mask) == mask;
    };
    for (auto _ : state) {
        for (const Box& b : boxes) {
            const std::int32_t left = b.x - kW / 2, top = b.y - kH, targetLeft = left + b.dx;
            const bool leftward = targetLeft < left;
            std::int32_t hit = 0;
            for (std::int32_t c = leftward ? (left >> 10) - 1 : ((left + kW) >> 10) + 1;
                 hit == 0 && (leftward ? c >= targetLeft >> 10 : c <= (targetLeft + kW) >> 10);
                 c += leftward ? -1 : 1) {
                for (std::int32_t r = top >> 10; hit == 0 && r <= b.y >> 10; ++r) hit = blocks(c, r, leftward ? 10 : 5);
            }
            const bool down = b.dy >= 0;
            const std::int32_t c0 = std::max(0, left >> 10), c1 = std::min(kMapWidth - 1, (left + kW) >> 10);
            for (std::int32_t r = down ? b.y >> 10 : top >> 10;
                 hit < 2 && (down ? r <= (b.y + b.dy + 512) >> 10 : r >= (top + b.dy) >> 10); r += down ? 1 : -1) {
                for (std::int32_t c = c0; hit < 2 && c <= c1; ++c) hit += blocks(c, r, down ? 3 : 12) ? 2 : 0;
            }
            g_sink = g_sink + hit;
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}

}  // namespace

BENCHMARK(BM_CameraDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DenseGridDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyTiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sweeps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DenseSweeps)->Unit(benchmark::kMicrosecond);
