// The display of programs that run the engine outside the game (tests,
// benchmarks, fuzzers): the game's application object started (its
// managers, the graphics device opened headless and its blitter) but
// without its start event, so that the program makes the engine itself.
#pragma once

#include <cstdint>

#include "platform/shared/core/CApp.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"

namespace vktools {

// Opens the graphics device (240 x 320 back buffer) once, making the
// application object first when there is none, and binds the blitter to
// the back buffer's format; the back buffer, or null.
inline ICRenderSurface* OpenProgramDisplay() {
    if (CApp::GetInstance() == nullptr) {
        auto* app = new CGameApp();
        CApp::SetInstance(app);
        app->Startup();
    }
    ICGraphics2d* graphics = ICGraphics2d::GetInstance();
    if (graphics == nullptr) return nullptr;
    if (graphics->GetRenderSurface() == nullptr && !graphics->Init()) return nullptr;
    ICRenderSurface* surface = graphics->GetRenderSurface();
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), nullptr, 0);
    return surface;
}

// Locks the back buffer for drawing with the blitter bound to it; Unlock
// the surface afterwards.
inline void LockForDrawing(ICRenderSurface* surface) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    surface->Lock(&bits, &pitch);
    CGameApp::GetBlitter()->Init(surface->GetPixelFormat(), bits, pitch);
}

}  // namespace vktools
