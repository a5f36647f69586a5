// The graphics device: a fill of the whole 240 x 320 back buffer against a
// memset of the same bytes, and one present on each display backend.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "host/DDraw.h"
#include "host/Window.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/win32/CWinBase.h"
#include "tools/SingletonTableApp.h"

namespace {

class BenchWindow : public CWinBase {
public:
    explicit BenchWindow(HWND window) : CWinBase(nullptr) { m_window = window; }
    int Run() override { return 0; }
    bool HandleMessage(HWND, UINT, WPARAM, LPARAM) override { return false; }
    bool PreTranslate(HWND, UINT, WPARAM, LPARAM) override { return false; }
};

// An open device on a 480 x 640 screen (headless unless SDL is asked for);
// null when it cannot be opened.
class Device {
public:
    Device(const host::DisplayFormat& format, bool sdl) {
        host::ResetDisplay();
        host::SetDisplayFormat(format);
        host::WindowOptions options;
        if (sdl) {
            if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "offscreen", 0);
            options.backend = host::Backend::Sdl;
        }
        host::ResetWindowing(options);
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"Game";
        RegisterClassW(&wc);
        HWND handle = CreateWindowExW(0, u"Game", u"Game", WS_POPUP, 0, 0, 480, 640, nullptr, nullptr, nullptr, nullptr);
        if (handle == nullptr) return;
        ShowWindow(handle, SW_SHOW);
        m_window = new BenchWindow(handle);
        CApp::SetInstance(&m_app);
        m_app.Startup();
        m_graphics = ICGraphics2d::GetInstance();
        if (m_graphics != nullptr && !m_graphics->Init()) m_graphics = nullptr;
    }
    ~Device() {
        delete ICGraphics2d::GetInstance();
        CApp::SetInstance(nullptr);
        delete m_window;
        host::ResetWindowing();
        host::ResetDisplay();
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    ICGraphics2d* Get() const { return m_graphics; }

private:
    vktools::SingletonTableApp m_app;
    BenchWindow* m_window = nullptr;
    ICGraphics2d* m_graphics = nullptr;
};

host::DisplayFormat FormatOf(const benchmark::State& state) {
    return state.range(0) == 32 ? host::kDisplayXrgb8888 : host::kDisplayRgb565;
}

void BM_FillRectBackBuffer(benchmark::State& state) {
    Device device(FormatOf(state), false);
    ICGraphics2d* graphics = device.Get();
    ICRenderSurface* surface = graphics->GetRenderSurface();
    std::int32_t pitch = 0;
    surface->Lock(nullptr, &pitch);
    graphics->SetColourARGB(1024, 512, 256, 128);
    const CRect whole(0, 0, 240, 320);
    for (auto _ : state) {
        graphics->FillRect(&whole);
        benchmark::ClobberMemory();
    }
    surface->Unlock();
    state.SetBytesProcessed(state.iterations() * pitch * 320);
}
BENCHMARK(BM_FillRectBackBuffer)->Arg(16)->Arg(32);

void BM_MemsetBackBuffer(benchmark::State& state) {
    Device device(FormatOf(state), false);
    ICRenderSurface* surface = device.Get()->GetRenderSurface();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    for (auto _ : state) {
        std::memset(bits, 0x5A, static_cast<std::size_t>(pitch) * 320);
        benchmark::ClobberMemory();
    }
    surface->Unlock();
    state.SetBytesProcessed(state.iterations() * pitch * 320);
}
BENCHMARK(BM_MemsetBackBuffer)->Arg(16)->Arg(32);

void Present(benchmark::State& state, bool sdl) {
    Device device(FormatOf(state), sdl);
    if (device.Get() == nullptr) {
        state.SkipWithError("no display");
        return;
    }
    for (auto _ : state) device.Get()->Present();
}

void BM_PresentHeadless(benchmark::State& state) { Present(state, false); }
BENCHMARK(BM_PresentHeadless)->Arg(16)->Arg(32);

void BM_PresentSdl(benchmark::State& state) { Present(state, true); }
BENCHMARK(BM_PresentSdl)->Arg(16)->Arg(32);

}  // namespace

// The application's executor hooks; this application has no executor.
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
