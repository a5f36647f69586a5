// What the graphics device keeps of the display: the display object, the
// display mode, the render surface it owns, the surface it hands out, the
// current colour and whether it is open.
#pragma once

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/FixedColour.h"

class CRenderSurface_WinMobile_MGL;

// A surface description of its own size with the given fields marked valid.
inline DDSURFACEDESC SurfaceDesc(DWORD flags) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = flags;
    return desc;
}

class CGraphics_Win32_Base {
public:
    CGraphics_Win32_Base() = default;
    // The owned surface must be gone by now (the device's Shutdown).
    virtual ~CGraphics_Win32_Base();

    CGraphics_Win32_Base(const CGraphics_Win32_Base&) = delete;
    CGraphics_Win32_Base& operator=(const CGraphics_Win32_Base&) = delete;

    LPDIRECTDRAW m_directDraw = nullptr;  // null when closed
    DDSURFACEDESC m_displayMode{};
    CRenderSurface_WinMobile_MGL* m_ownedSurface = nullptr;
    // The surface the device hands out and fills; cleared when that surface
    // is released.
    CRenderSurface_WinMobile_MGL* m_currentSurface = nullptr;
    FixedColour m_colour{};
    bool m_initialised = false;
};
