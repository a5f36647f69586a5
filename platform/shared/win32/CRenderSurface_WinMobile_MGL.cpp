#include "platform/shared/win32/CRenderSurface_WinMobile_MGL.h"

#include <new>

#include "platform/shared/win32/CGraphics_Win32_Base.h"

CRenderSurface_WinMobile_MGL* CRenderSurface_WinMobile_MGL::Create(CGraphics_Win32_Base* device) {
    return new (std::nothrow) CRenderSurface_WinMobile_MGL(device);
}

CRenderSurface_WinMobile_MGL::~CRenderSurface_WinMobile_MGL() { CRenderSurface_WinMobile_MGL::Release(); }

void CRenderSurface_WinMobile_MGL::Release() {
    if (m_device->m_currentSurface == this) m_device->m_currentSurface = nullptr;
    Unlock();
    if (m_backBuffer != nullptr) {
        m_backBuffer->Release();
        m_backBuffer = nullptr;
    }
    if (m_primary != nullptr) {
        m_primary->Release();
        m_primary = nullptr;
    }
}

void CRenderSurface_WinMobile_MGL::MakeCurrent() { m_device->m_currentSurface = this; }

void CRenderSurface_WinMobile_MGL::Lock(std::uint8_t** bits, std::int32_t* pitch) {
    DDSURFACEDESC desc = SurfaceDesc(DDSD_CAPS);
    if (m_primary != nullptr && m_backBuffer != nullptr &&
        m_backBuffer->Lock(nullptr, &desc, DDLOCK_WAITNOTBUSY | DDLOCK_WRITEONLY, nullptr) == DD_OK) {
        m_bits = static_cast<std::uint8_t*>(desc.lpSurface);
        m_pitch = desc.lPitch;
        m_locked = true;
    } else {
        m_bits = nullptr;
        m_pitch = 0;
        m_locked = false;
    }
    if (bits != nullptr) *bits = m_bits;
    *pitch = m_pitch;
}

void CRenderSurface_WinMobile_MGL::Unlock() {
    if (m_locked && m_primary != nullptr && m_backBuffer != nullptr) m_backBuffer->Unlock(nullptr);
    m_bits = nullptr;
    m_pitch = 0;
    m_locked = false;
}

bool CRenderSurface_WinMobile_MGL::GetSize(std::int32_t* width, std::int32_t* height) {
    DDSURFACEDESC desc = SurfaceDesc(DDSD_HEIGHT | DDSD_WIDTH);
    if (m_primary != nullptr && m_backBuffer != nullptr && m_backBuffer->GetSurfaceDesc(&desc) == DD_OK) {
        *width = static_cast<std::int32_t>(desc.dwWidth);
        *height = static_cast<std::int32_t>(desc.dwHeight);
        return true;
    }
    *width = 0;
    *height = 0;
    return false;
}
