#include "src/win32/CGraphics2d_WinMobile_Lite.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/shared/core/Debug.h"
#include "platform/shared/win32/CRenderSurface_WinMobile_MGL.h"
#include "src/win32/CWinBase.h"

namespace {

constexpr DWORD kLockFlags = DDLOCK_WAITNOTBUSY | DDLOCK_WRITEONLY;

// 1024 is full intensity (255); anything else loses its two fraction bits.
std::uint8_t ChannelByte(std::int32_t value) { return static_cast<std::uint8_t>(value == 1024 ? 255 : value >> 2); }

PixelFormat FormatOf(const DDPIXELFORMAT& format) {
    if (format.dwRGBBitCount == 16 && format.dwRBitMask == 0xF800 && format.dwGBitMask == 0x07E0 &&
        format.dwBBitMask == 0x001F) {
        return kPixelFormatRgb565;
    }
    if (format.dwRGBBitCount == 32 && format.dwRBitMask == 0x00FF0000 && format.dwGBitMask == 0x0000FF00 &&
        format.dwBBitMask == 0x000000FF) {
        return kPixelFormatXrgb8888;
    }
    return 0;
}

// A span is filled pixel by pixel for its first bytes, doubled by copies up
// to one block (which stays in the first-level cache), then the block is
// copied along the rest: long spans fill at the speed of memcpy.
constexpr std::size_t kFillHeadBytes = 64;
constexpr std::size_t kFillBlockBytes = 16384;

// Fills count pixels from first (rows need not be aligned).
template <typename Pixel>
void FillSpan(std::uint8_t* first, std::size_t count, Pixel value) {
    const std::size_t bytes = count * sizeof value;
    const std::size_t block = std::min(bytes, kFillBlockBytes);
    const std::size_t head = std::min(block, kFillHeadBytes);
    for (std::size_t at = 0; at < head; at += sizeof value) std::memcpy(first + at, &value, sizeof value);
    for (std::size_t at = head; at < block; at *= 2) std::memcpy(first + at, first, std::min(at, block - at));
    for (std::size_t at = block; at < bytes; at += block) std::memcpy(first + at, first, std::min(block, bytes - at));
}

// Rows that follow each other without padding are one span; others get the
// first row filled and copied.
template <typename Pixel>
void Fill(std::uint8_t* first, std::int32_t pitch, std::int32_t w, std::int32_t h, Pixel value) {
    const auto rowBytes = static_cast<std::size_t>(w) * sizeof value;
    if (static_cast<std::size_t>(pitch) == rowBytes) {
        FillSpan(first, static_cast<std::size_t>(w) * static_cast<std::size_t>(h), value);
        return;
    }
    FillSpan(first, static_cast<std::size_t>(w), value);
    for (std::int32_t row = 1; row < h; ++row) {
        std::memcpy(first + static_cast<std::ptrdiff_t>(row) * pitch, first, rowBytes);
    }
}

}  // namespace

CGraphics2d_WinMobile_Lite* CGraphics2d_WinMobile_Lite::Create() { return new (std::nothrow) CGraphics2d_WinMobile_Lite(); }

CGraphics2d_WinMobile_Lite::~CGraphics2d_WinMobile_Lite() { CGraphics2d_WinMobile_Lite::Shutdown(); }

bool CGraphics2d_WinMobile_Lite::Init() {
    if (m_base.m_initialised) Shutdown();
    if (!Open()) {
        Shutdown();
        return false;
    }
    SetColour(GetColorBlack());
    m_base.m_initialised = true;
    return true;
}

// Init's steps up to the pixel format; false at the first failure.
bool CGraphics2d_WinMobile_Lite::Open() {
    if (DirectDrawCreate(nullptr, &m_base.m_directDraw, nullptr) != DD_OK) return false;
    CWinBase* window = CWinBase::GetInstance();
    if (m_base.m_directDraw->SetCooperativeLevel(window != nullptr ? window->GetWindowHandle() : nullptr, 0) != DD_OK) {
        return false;
    }
    m_base.m_displayMode = SurfaceDesc(0);
    if (m_base.m_directDraw->GetDisplayMode(&m_base.m_displayMode) != DD_OK) return false;
    DDCAPS driverCaps{};
    DDCAPS emulationCaps{};
    driverCaps.dwSize = emulationCaps.dwSize = sizeof(DDCAPS);
    if (m_base.m_directDraw->GetCaps(&driverCaps, &emulationCaps) != DD_OK) return false;

    CRenderSurface_WinMobile_MGL* surface = CRenderSurface_WinMobile_MGL::Create(&m_base);
    if (surface == nullptr) return false;
    m_base.m_ownedSurface = surface;
    m_base.m_currentSurface = surface;

    DDSURFACEDESC primaryDesc = SurfaceDesc(DDSD_CAPS);
    primaryDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE primary = nullptr;
    if (m_base.m_directDraw->CreateSurface(&primaryDesc, &primary, nullptr) != DD_OK) return false;
    surface->SetPrimary(primary);

    DDSURFACEDESC screen = SurfaceDesc(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT);
    if (primary->GetSurfaceDesc(&screen) != DD_OK) return false;

    DDSURFACEDESC backDesc = SurfaceDesc(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT);
    backDesc.dwHeight = screen.dwHeight / 2;
    backDesc.dwWidth = screen.dwWidth / 2;
    backDesc.ddpfPixelFormat = screen.ddpfPixelFormat;
    backDesc.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY;
    LPDIRECTDRAWSURFACE backBuffer = nullptr;
    if (m_base.m_directDraw->CreateSurface(&backDesc, &backBuffer, nullptr) != DD_OK) return false;
    surface->SetBackBuffer(backBuffer);

    // One lock and unlock before the first frame; its outcome does not count.
    DDSURFACEDESC lockDesc = SurfaceDesc(0);
    if (backBuffer->Lock(nullptr, &lockDesc, kLockFlags, nullptr) == DD_OK) backBuffer->Unlock(nullptr);

    surface->SetPixelFormat(FormatOf(screen.ddpfPixelFormat));
    return true;
}

void CGraphics2d_WinMobile_Lite::Shutdown() {
    delete m_base.m_ownedSurface;
    m_base.m_ownedSurface = nullptr;
    if (m_base.m_directDraw != nullptr) {
        m_base.m_directDraw->Release();
        m_base.m_directDraw = nullptr;
    }
    m_base.m_currentSurface = nullptr;
    m_base.m_initialised = false;
}

ICRenderSurface* CGraphics2d_WinMobile_Lite::GetRenderSurface() { return m_base.m_currentSurface; }

void CGraphics2d_WinMobile_Lite::Present() {
    CRenderSurface_WinMobile_MGL* surface = m_base.m_currentSurface;
    if (surface == nullptr || surface->GetPrimary() == nullptr || surface->GetBackBuffer() == nullptr) return;
    surface->GetPrimary()->Blt(nullptr, surface->GetBackBuffer(), nullptr, DDBLT_WAITNOTBUSY, nullptr);
}

void CGraphics2d_WinMobile_Lite::SetColour(const FixedColour* colour) { m_base.m_colour = *colour; }

void CGraphics2d_WinMobile_Lite::SetColourARGB(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b) {
    m_base.m_colour = FixedColour{a, r, g, b};
}

FixedColour* CGraphics2d_WinMobile_Lite::GetColour() { return &m_base.m_colour; }

void CGraphics2d_WinMobile_Lite::FillRect(const CRect* rect) {
    CRenderSurface_WinMobile_MGL* surface = m_base.m_currentSurface;
    if (surface == nullptr) return;
    std::uint8_t* bits = surface->GetBits();
    std::int32_t pitch = surface->GetPitch();
    if (!surface->IsLocked()) surface->Lock(&bits, &pitch);  // stays locked until the frame's Unlock
    if (bits == nullptr) return;

    const FixedColour& c = m_base.m_colour;
    const std::uint32_t a = ChannelByte(c.a);
    const std::uint32_t r = ChannelByte(c.r);
    const std::uint32_t g = ChannelByte(c.g);
    const std::uint32_t b = ChannelByte(c.b);
    DebugAssert(a == 255, "CGraphics2d_WinMobile_Lite", 345);

    // Callers clip; the back buffer's own bounds are enforced here too.
    CRect area = *rect;
    ClipToSurface(&area, surface);
    if (area.w <= 0 || area.h <= 0) return;

    const PixelFormat format = surface->GetPixelFormat();
    std::uint8_t* first = bits + static_cast<std::ptrdiff_t>(pitch) * area.y + area.x * PixelFormatBytes(format);
    switch (format) {
        case kPixelFormatRgb565:
            Fill(first, pitch, area.w, area.h, static_cast<std::uint16_t>(b >> 3 | (g >> 2) << 5 | (r >> 3) << 11));
            break;
        case kPixelFormatRgb666:
            Fill(first, pitch, area.w, area.h, static_cast<std::uint32_t>(b >> 2 | (g >> 2) << 6 | (r >> 2) << 12));
            break;
        case kPixelFormatXrgb8888:
            Fill(first, pitch, area.w, area.h, b | g << 8 | r << 16 | 0xFF000000u);
            break;
        default:
            break;
    }
}

bool CGraphics2d_WinMobile_Lite::Reinit() {
    Shutdown();
    return Init();
}
