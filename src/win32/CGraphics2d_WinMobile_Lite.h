// The graphics device over the display services: a primary surface, a back
// buffer of half the screen's width and height in the screen's layout, and
// a present that stretches it over the whole screen.
#pragma once

#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/win32/CGraphics_Win32_Base.h"

class CGraphics2d_WinMobile_Lite : public ICGraphics2d {
public:
    // A new device, registered in the application's singleton table; null
    // when out of memory.
    static CGraphics2d_WinMobile_Lite* Create();
    // Runs Shutdown.
    ~CGraphics2d_WinMobile_Lite() override;

    bool Init() override;
    void Shutdown() override;
    ICRenderSurface* GetRenderSurface() override;
    void Reserved1() override {}
    void Reserved2() override {}
    void Reserved3() override {}
    void Present() override;
    void SetColour(const FixedColour* colour) override;
    void SetColourARGB(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b) override;
    FixedColour* GetColour() override;
    void FillRect(const CRect* rect) override;
    bool Reinit() override;

private:
    CGraphics2d_WinMobile_Lite() = default;

    bool Open();

    CGraphics_Win32_Base m_base;
};
