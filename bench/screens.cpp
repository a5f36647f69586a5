// A menu screen's frame on the headless device: its Update, then the full
// repaint that the widget screen asks for every frame (a header, five items
// with the focus marker, both scroll indicators, the soft keys and the logo
// band), beside a memcpy of the whole back buffer. Goals: the frame under 1 %
// of the 48 ms tick (frame_share_of_tick below 0.01) and no allocation per
// frame (allocs_per_frame 0).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/BenchGame.h"
#include "bench/CountingNew.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CMenuScreen.h"
#include "src/CRootNode.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/ridaroVoz3/SZ_Home.h"
#include "src/ridaroVoz3/SZ_Presenter.h"

namespace {

constexpr std::uint32_t kFrameMs = 48;

class MenuGame : public BenchGame {
public:
    MenuGame() {
        SZ_Home* home = CGameApp::GetSpriteHome();
        home->QueueArchetypeCharacter(18, 0);
        while (home->ProcessLoadQueue(500)) {
        }
        for (SZ_Presenter* p : {&m_up, &m_down, &m_focus, &m_logo}) p->setArchetypeCharacter(18, 0);
        m_logo.setAnimation(8, 0, 0);
        m_menu = new CMenuScreen;
        m_menu->SetItemsByWideString(0x21FF014A, kItems, 5);
        m_menu->SetFocusSprite(&m_focus);
        m_menu->SetScrollIndicators(&m_up, &m_down);
        m_menu->SetLogoPresenter(&m_logo);
        m_menu->SetSoftkeys(0x02000247, 0x0200024E, 1, 1);
        m_menu->SetMargins(16, 137, 50);
        App()->GetRootNode()->PushState(1, m_menu);
        // Past the intro.
        for (int i = 0; i < 20; ++i) Frame();
    }

    void Frame() {
        m_menu->Update(kFrameMs);
        ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
        std::uint8_t* bits = nullptr;
        std::int32_t pitch = 0;
        surface->Lock(&bits, &pitch);
        CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
        benchmark::DoNotOptimize(m_menu->Draw());
        surface->Unlock();
    }

private:
    static constexpr const char16_t* kItems[] = {u"New game", u"Options", u"Help", u"About", u"Exit"};
    SZ_Presenter m_up, m_down, m_focus, m_logo;
    CMenuScreen* m_menu;
};

void BM_MenuFrame(benchmark::State& state) {
    MenuGame game;
    const std::size_t before = g_allocations;
    for (auto _ : state) game.Frame();
    state.counters["allocs_per_frame"] =
        benchmark::Counter(static_cast<double>(g_allocations - before), benchmark::Counter::kAvgIterations);
    state.counters["frame_share_of_tick"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * (kFrameMs / 1000.0),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MenuFrame);

void BM_BackBufferCopy(benchmark::State& state) {
    BenchGame game;
    ICRenderSurface* surface = ICGraphics2d::GetInstance()->GetRenderSurface();
    std::int32_t width = 0;
    std::int32_t height = 0;
    surface->GetSize(&width, &height);
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    const std::size_t size = static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> copy(size);
    for (auto _ : state) {
        std::memcpy(copy.data(), bits, size);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    surface->Unlock();
}
BENCHMARK(BM_BackBufferCopy);

}  // namespace
