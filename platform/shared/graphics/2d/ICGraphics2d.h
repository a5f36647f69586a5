// The graphics device: opens the display with a back buffer of half the
// screen's width and height, keeps a current drawing colour, fills opaque
// rectangles and presents each finished frame stretched over the screen.
#pragma once

#include <cstdint>

#include "platform/shared/components/CSingleton.h"
#include "platform/shared/graphics/2d/CRect.h"
#include "platform/shared/graphics/2d/FixedColour.h"
#include "platform/shared/graphics/2d/ICRenderSurface.h"

class ICGraphics2d : public CSingleton {
public:
    static constexpr std::uint32_t kClassId = 0x66E79740;

    ICGraphics2d() : CSingleton(kClassId) {}
    // Clears the pointer the application object caches.
    ~ICGraphics2d() override;

    // The device: the one the application caches, else the registered one,
    // else a new one. Null without an application object or memory.
    static ICGraphics2d* GetInstance();

    // Opens the display (closing it first when open); true on success.
    virtual bool Init() = 0;
    // Releases everything Init made; safe when closed.
    virtual void Shutdown() = 0;
    // The current surface; null when closed.
    virtual ICRenderSurface* GetRenderSurface() = 0;
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    // Shows the back buffer stretched over the whole screen.
    virtual void Present() = 0;
    virtual void SetColour(const FixedColour* colour) = 0;
    virtual void SetColourARGB(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b) = 0;
    // The device's own colour record.
    virtual FixedColour* GetColour() = 0;
    // Fills the rectangle of the current surface with the current colour,
    // which must be opaque. Parts outside the surface are not drawn.
    virtual void FillRect(const CRect* rect) = 0;
    // Shutdown, then Init.
    virtual bool Reinit() = 0;
};
