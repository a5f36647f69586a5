// The game's stand-in until its application exists: the real entry, applet
// and window backends run this small application, which prints a line for
// what it sees ("module PATH" at start-up, "event XXXXXXXX" per event,
// "tick N" per tick, "shutdown N" with the ticks run) and fills the screen
// with red every tick, so that a run shows a frame.
#include <cinttypes>
#include <cstdio>
#include <new>

#include "host/File.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/core/CHash.h"
#include "platform/shared/graphics/2d/CRect.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/ICRenderSurface.h"

namespace {

class ShellApp : public CApp {
public:
    std::int32_t Startup() override {
        std::setvbuf(stdout, nullptr, _IOLBF, 0);  // the tests read it while it runs
        char16_t path[512] = {};
        if (GetModuleFileNameW(nullptr, path, 512) != 0) std::printf("module %s\n", host::ToHostPath(path).c_str());
        auto* table = new (std::nothrow) CHash();
        if (table == nullptr || !table->Init(20, 20, true)) {
            delete table;
            return 1;
        }
        SetSingletonTable(table);
        m_graphics = ICGraphics2d::GetInstance();
        if (m_graphics == nullptr || !m_graphics->Init()) return 1;
        return 0;
    }
    void Shutdown() override { std::printf("shutdown %d\n", m_ticks); }
    void Tick() override {
        std::printf("tick %d\n", ++m_ticks);
        ICRenderSurface* surface = m_graphics->GetRenderSurface();
        std::int32_t width = 0;
        std::int32_t height = 0;
        if (surface == nullptr || !surface->GetSize(&width, &height)) return;
        const CRect all(0, 0, static_cast<std::int16_t>(width), static_cast<std::int16_t>(height));
        m_graphics->SetColourARGB(1024, 1024, 0, 0);
        m_graphics->FillRect(&all);
        surface->Unlock();
        m_graphics->Present();
    }
    std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t, std::uintptr_t) override {
        std::printf("event %08" PRIx32 "\n", id);
        return 0;
    }

private:
    int m_ticks = 0;
    ICGraphics2d* m_graphics = nullptr;
};

}  // namespace

CApp* CreateGameApp() { return new (std::nothrow) ShellApp(); }

// This application runs no executor.
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

// The sanitizer build's leak check at exit: the session bus library that
// SDL's desktop support loads keeps one buffer it never frees.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
