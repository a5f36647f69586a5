// Keyed sprite drawing on a 240 x 320 RGB 565 back buffer: 100 discs of
// 32 x 32 pixels with a magenta surround, a quarter of them cut by the
// buffer's edges, drawn by our Draw, by SDL_BlitSurface with a colour key
// (without and with RLE), and copied row by row with memcpy; and the same
// discs blended at opacity 128 by our alpha row function and by SDL's
// alpha-modulated blit. Each drawing is checked against ours first.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "host/Window.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tools/BmpWriter.h"
#include "tools/ProgramBlitter.h"
#include "tools/SingletonTableApp.h"

namespace {

constexpr int kW = 240, kH = 320, kDisc = 32, kDiscs = 100;

struct Scene {
    Scene() {
        CApp::SetInstance(&app);
        app.Startup();
        host::ResetWindowing(host::WindowOptions{.screenWidth = 2 * kW, .screenHeight = 2 * kH});
        ICGraphics2d::GetInstance()->Init();  // its surface's size clips
        CGameApp::GetBlitter()->Init(kPixelFormatRgb565, reinterpret_cast<std::uint8_t*>(ours.data()), kW * 2);

        vktools::BmpDesc bmp;
        bmp.width = bmp.height = kDisc;
        bmp.bitCount = 24;
        for (int y = 0; y < kDisc; ++y) {
            for (int x = 0; x < kDisc; ++x) {
                const int dx = 2 * x - kDisc + 1, dy = 2 * y - kDisc + 1;
                bmp.pixels.push_back(dx * dx + dy * dy < kDisc * kDisc ? 0x208040u + 0x010203u * (x + y) : 0xFF00FFu);
            }
        }
        const vktools::Bytes file = vktools::MakeBmp(bmp);
        disc.CreateFromBmp(file.data(), static_cast<std::uint32_t>(file.size()), 0, nullptr, 0);

        std::mt19937 rng(1);
        for (int i = 0; i < kDiscs; ++i) {
            if (i % 4 == 0) {  // across an edge
                const int side = static_cast<int>(rng() % 4);
                const int along = static_cast<int>(rng() % (side < 2 ? kW : kH));
                const int across = -kDisc / 2 + static_cast<int>(rng() % (kDisc / 2));
                positions.push_back(side == 0   ? SDL_Rect{along, across, kDisc, kDisc}
                                    : side == 1 ? SDL_Rect{along, kH - kDisc - across, kDisc, kDisc}
                                    : side == 2 ? SDL_Rect{across, along, kDisc, kDisc}
                                                : SDL_Rect{kW - kDisc - across, along, kDisc, kDisc});
            } else {
                positions.push_back({static_cast<int>(rng() % (kW - kDisc)), static_cast<int>(rng() % (kH - kDisc)),
                                     kDisc, kDisc});
            }
        }
        target = SDL_CreateRGBSurfaceFrom(theirs.data(), kW, kH, 16, kW * 2, 0xF800, 0x07E0, 0x001F, 0);
        source = SDL_CreateRGBSurfaceFrom(disc.GetPixels(), kDisc, kDisc, 16, kDisc * 2, 0xF800, 0x07E0, 0x001F, 0);
        SDL_SetColorKey(source, SDL_TRUE, 0xF81F);
    }
    ~Scene() {
        SDL_FreeSurface(source);
        SDL_FreeSurface(target);
        delete ICGraphics2d::GetInstance();
        CApp::SetInstance(nullptr);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    void DrawOurs(std::uint32_t opacity, std::uint32_t flags = 0) {
        for (const SDL_Rect& p : positions) {
            if (opacity == 255) {
                disc.Draw(&clip, p.x, p.y, kDisc, kDisc, 0, 0, flags);
            } else {
                disc.Blit(&clip, p.x, p.y, kDisc, kDisc, 0, 0, 0, disc.GetAlphaRowFunction(), opacity);
            }
        }
    }
    void DrawSdl() {
        for (const SDL_Rect& p : positions) {
            SDL_Rect at = p;
            SDL_BlitSurface(source, nullptr, target, &at);
        }
    }
    void CopyRows() {
        for (const SDL_Rect& p : positions) {
            const int x0 = std::max(p.x, 0), x1 = std::min(p.x + kDisc, kW);
            const int y0 = std::max(p.y, 0), y1 = std::min(p.y + kDisc, kH);
            for (int y = y0; y < y1; ++y) {
                std::memcpy(&theirs[y * kW + x0], disc.GetPixels() + ((y - p.y) * kDisc + x0 - p.x) * 2,
                            static_cast<std::size_t>(x1 - x0) * 2);
            }
        }
    }
    bool Same() { return ours == theirs; }
    void Clear() {
        std::fill(ours.begin(), ours.end(), 0x1234);
        std::fill(theirs.begin(), theirs.end(), 0x1234);
    }

    vktools::SingletonTableApp app;
    std::vector<std::uint16_t> ours = std::vector<std::uint16_t>(kW * kH), theirs = ours;
    CNativeImage disc{CGameApp::GetBlitter()};
    std::vector<SDL_Rect> positions;
    const CRect clip{0, 0, kW, kH};
    SDL_Surface* target = nullptr;
    SDL_Surface* source = nullptr;
};

void BM_OurKeyedDraw(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.DrawOurs(255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OurKeyedDraw);

// Sprites facing the other way.
void BM_OurKeyedDrawMirrored(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.DrawOurs(255, CSoftwareImage::kMirror);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OurKeyedDrawMirrored);

void SdlKeyed(benchmark::State& state, bool rle) {
    Scene scene;
    SDL_SetSurfaceRLE(scene.source, rle ? 1 : 0);
    scene.Clear();
    scene.DrawOurs(255);
    scene.DrawSdl();
    if (!scene.Same()) state.SkipWithError("SDL's frame differs from ours");
    for (auto _ : state) {
        scene.DrawSdl();
        benchmark::ClobberMemory();
    }
}
void BM_SdlKeyedBlit(benchmark::State& state) { SdlKeyed(state, false); }
BENCHMARK(BM_SdlKeyedBlit);
void BM_SdlKeyedBlitRle(benchmark::State& state) { SdlKeyed(state, true); }
BENCHMARK(BM_SdlKeyedBlitRle);

void BM_MemcpyRows(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.CopyRows();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyRows);

void BM_OurAlpha128(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.DrawOurs(128);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OurAlpha128);

void BM_SdlAlpha128(benchmark::State& state) {
    Scene scene;
    SDL_SetSurfaceAlphaMod(scene.source, 128);
    SDL_SetSurfaceBlendMode(scene.source, SDL_BLENDMODE_BLEND);
    for (auto _ : state) {
        scene.DrawSdl();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SdlAlpha128);

}  // namespace

CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
