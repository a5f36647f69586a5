// A surface that drawing goes into: the back buffer, whose pixels are
// addressable with a pitch while it is locked.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/graphics/2d/PixelFormat.h"

// Root of the graphics resources.
class ICGraphicsResource : public CClass {
public:
    ICGraphicsResource() = default;
    ~ICGraphicsResource() override = default;

    ICGraphicsResource(const ICGraphicsResource&) = delete;
    ICGraphicsResource& operator=(const ICGraphicsResource&) = delete;
};

class ICRenderSurface : public ICGraphicsResource {
public:
    static constexpr std::uint32_t kClassId = 0xC9403F77;

    ICRenderSurface() { SetClassId(kClassId); }

    virtual bool IsValid() = 0;
    virtual void Release() = 0;
    // Makes this the surface the graphics device hands out and fills.
    virtual void MakeCurrent() = 0;
    // Locks the surface for drawing: the first pixel (when bits is not null)
    // and the bytes from one row to the next; both 0 when it cannot be locked.
    virtual void Lock(std::uint8_t** bits, std::int32_t* pitch) = 0;
    virtual void Unlock() = 0;
    virtual PixelFormat GetPixelFormat() = 0;
    // Width and height in pixels; false (and 0, 0) when they cannot be read.
    virtual bool GetSize(std::int32_t* width, std::int32_t* height) = 0;
};
