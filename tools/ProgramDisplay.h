// The display of programs that run the engine without the game's
// application (tests, benchmarks, fuzzers): the graphics device opened
// headless on an application object that holds only a singleton table,
// and the application's blitter (tools/ProgramBlitter.h) bound to it.
#pragma once

#include <cstdint>

#include "platform/shared/core/CApp.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/CGameApp.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "tools/SingletonTableApp.h"

namespace vktools {

// Opens the graphics device (240 x 320 back buffer) once, making the
// application object first when there is none, and binds the blitter to
// the back buffer's format; the back buffer, or null.
inline ICRenderSurface* OpenProgramDisplay() {
    if (CApp::GetInstance() == nullptr) {
        auto* app = new SingletonTableApp();
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
