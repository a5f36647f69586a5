// The back buffer as a render surface: the display's primary surface and
// the half-size off-screen surface in system memory that every frame is
// drawn into, with its pixel address and pitch while locked.
#pragma once

#include <cstdint>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICRenderSurface.h"

class CGraphics_Win32_Base;

class CRenderSurface_WinMobile_MGL : public ICRenderSurface {
public:
    // A surface of the given device (not owned); null when out of memory.
    static CRenderSurface_WinMobile_MGL* Create(CGraphics_Win32_Base* device);
    // Runs Release.
    ~CRenderSurface_WinMobile_MGL() override;

    bool IsValid() override { return true; }
    // Stops being the device's current surface, unlocks, and releases the
    // back buffer and the primary surface.
    void Release() override;
    void MakeCurrent() override;
    void Lock(std::uint8_t** bits, std::int32_t* pitch) override;
    void Unlock() override;
    PixelFormat GetPixelFormat() override { return m_pixelFormat; }
    bool GetSize(std::int32_t* width, std::int32_t* height) override;

    void SetPixelFormat(PixelFormat format) { m_pixelFormat = format; }
    LPDIRECTDRAWSURFACE GetPrimary() const { return m_primary; }
    void SetPrimary(LPDIRECTDRAWSURFACE surface) { m_primary = surface; }
    LPDIRECTDRAWSURFACE GetBackBuffer() const { return m_backBuffer; }
    void SetBackBuffer(LPDIRECTDRAWSURFACE surface) { m_backBuffer = surface; }
    bool IsLocked() const { return m_locked; }
    std::uint8_t* GetBits() const { return m_bits; }
    std::int32_t GetPitch() const { return m_pitch; }

private:
    explicit CRenderSurface_WinMobile_MGL(CGraphics_Win32_Base* device) : m_device(device) {}

    CGraphics_Win32_Base* m_device;
    PixelFormat m_pixelFormat = 0;
    LPDIRECTDRAWSURFACE m_primary = nullptr;
    LPDIRECTDRAWSURFACE m_backBuffer = nullptr;
    bool m_locked = false;
    std::uint8_t* m_bits = nullptr;
    std::int32_t m_pitch = 0;
};
