// Display services in the manner of DirectDraw: a display object, a primary
// surface that is the whole screen, off-screen surfaces in system memory in
// the screen's pixel layout, locking for direct pixel access, and a blit from
// an off-screen surface onto the primary that scales it over the whole
// screen (nearest neighbour). Only what the graphics device uses.
//
// Two backends: with the SDL window backend the present streams the source
// surface into a texture scaled into the game window; otherwise (headless)
// the primary surface is memory and the last presented frame is kept for
// tests and can be written to a PNG file.
#pragma once

#include <cstdint>
#include <vector>

#include "host/Window.h"

using HRESULT = LONG;
using ULONG = std::uint32_t;
struct GUID;

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AEu);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x887602E6u);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = static_cast<HRESULT>(0x88760234u);

// Surface description flags: which fields hold values.
constexpr DWORD DDSD_CAPS = 0x00000001;
constexpr DWORD DDSD_HEIGHT = 0x00000002;
constexpr DWORD DDSD_WIDTH = 0x00000004;
constexpr DWORD DDSD_PITCH = 0x00000008;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000;

// Surface capabilities.
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000040;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000080;

// Pixel format flags.
constexpr DWORD DDPF_RGB = 0x00000040;

// Lock flags.
constexpr DWORD DDLOCK_WAITNOTBUSY = 0x00000008;
constexpr DWORD DDLOCK_WRITEONLY = 0x00000002;

// Blit flags.
constexpr DWORD DDBLT_WAITNOTBUSY = 0x01000000;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS {
    DWORD dwCaps;
};

// dwSize must be sizeof(DDSURFACEDESC).
struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    void* lpSurface;  // first pixel, while locked
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

// dwSize must be sizeof(DDCAPS).
struct DDCAPS {
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwVidMemTotal;
    DWORD dwVidMemFree;
};

struct DDBLTFX;

class IDirectDrawSurface {
public:
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC* desc) = 0;
    // Whole surface only: rect must be null. Locking a locked surface hands
    // out the same pixels again; one Unlock ends the lock.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    // Onto the primary surface only, whole surfaces only (both rects null);
    // the source must have the primary's pixel layout and not be locked.
    virtual HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx) = 0;
    virtual ULONG Release() = 0;

protected:
    ~IDirectDrawSurface() = default;
};

class IDirectDraw {
public:
    // The window the display belongs to; with the SDL backend its desktop
    // window receives the presented frames.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // Size, pitch and pixel format of the screen.
    virtual HRESULT GetDisplayMode(DDSURFACEDESC* desc) = 0;
    virtual HRESULT GetCaps(DDCAPS* driverCaps, DDCAPS* emulationCaps) = 0;
    // Primary: DDSD_CAPS with DDSCAPS_PRIMARYSURFACE (one at a time).
    // Off-screen: DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT
    // with DDSCAPS_SYSTEMMEMORY, in the screen's pixel format.
    virtual HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer) = 0;
    virtual ULONG Release() = 0;

protected:
    ~IDirectDraw() = default;
};

using LPDIRECTDRAW = IDirectDraw*;
using LPDIRECTDRAWSURFACE = IDirectDrawSurface*;

// The driver must be null (the default display); outer must be null.
HRESULT DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, void* outer);

namespace host {

// The screen's pixel layout (the screen's size is the window services').
struct DisplayFormat {
    DWORD bitCount = 16;
    DWORD redMask = 0xF800;
    DWORD greenMask = 0x07E0;
    DWORD blueMask = 0x001F;
    bool operator==(const DisplayFormat&) const = default;
};
inline constexpr DisplayFormat kDisplayRgb565{};
inline constexpr DisplayFormat kDisplayXrgb8888{32, 0x00FF0000, 0x0000FF00, 0x000000FF};

// Back to the defaults: RGB 565, no faults, no padding, no frame kept.
void ResetDisplay();
// Takes effect for display objects and surfaces made afterwards. 8, 16, 24
// and 32 bits per pixel are accepted.
void SetDisplayFormat(const DisplayFormat& format);
// Extra bytes at the end of every surface row (rows are otherwise whole
// pixels rounded up to 4 bytes), so that tests see the pitch honoured.
void SetPitchPadding(int bytes);

// Calls that a test can make fail.
enum class DisplayFault {
    Create,
    CooperativeLevel,
    DisplayMode,
    Caps,
    PrimarySurface,
    OffscreenSurface,
    SurfaceDesc,
    Lock,
    Blt,
    Count
};
void SetDisplayFault(DisplayFault fault, bool fails);

// One presented frame: the whole screen, rows top to bottom without padding.
struct Frame {
    int width = 0;
    int height = 0;
    DWORD bitCount = 0;
    DisplayFormat format;
    std::vector<std::uint8_t> pixels;
};
// The frame of the last headless present, or null before the first one.
const Frame* LastPresentedFrame();
// Pixel (x, y) of a frame as 0xRRGGBB; 0 outside the frame.
std::uint32_t FramePixelRgb(const Frame& frame, int x, int y);
// Writes the frame as an 8-bit RGB PNG file; false on failure.
bool WriteFramePng(const Frame& frame, const char* path);

// With the SDL backend: reads back the window's contents after each
// present into the frame returned by LastPresentedFrame (slow; for tests).
void SetCaptureSdlFrames(bool capture);

// Display objects and surfaces not yet released (leak checks).
int LiveDisplayObjects();

}  // namespace host
