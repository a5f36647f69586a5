// Inside the host's display services: what shows a presented surface in a
// desktop window. Not for callers outside host/.
#pragma once

#include <memory>

#include "host/DDraw.h"

namespace host::detail {

// Pixels of one surface, as the display services keep them.
struct SurfacePixels {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next
    DisplayFormat format;
    const std::uint8_t* bits = nullptr;
};

class DisplayPresenter {
public:
    virtual ~DisplayPresenter() = default;
    // Scales the surface over the whole window and shows it. When capture
    // is given, the window's contents are read back into it. False when the
    // surface's layout cannot be shown.
    virtual bool Present(const SurfacePixels& source, Frame* capture) = 0;
};

// Presents into the desktop window of the SDL window backend (an
// SDL_Window*); null when no renderer can be made for it.
std::unique_ptr<DisplayPresenter> MakeSdlPresenter(void* sdlWindow);

}  // namespace host::detail
