// A rectangle of pixels that can draw any part of itself at a position,
// clipped to a rectangle.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"
#include "platform/shared/graphics/2d/CRect.h"

class CImage : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x027FB715;

    CImage() : CClass(kClassId) {}
    ~CImage() override = default;

    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // Builds the pixels from the bitmap that starts offset bytes into the
    // size bytes at data; palette (paletteBytes long), when not null,
    // replaces the bitmap's colour table. 1 on success, 0 on failure.
    virtual std::uint32_t CreateFromBmp(const std::uint8_t* data, std::uint32_t size, std::uint32_t offset,
                                        const std::uint8_t* palette, std::uint32_t paletteBytes) = 0;

    // Draws the w x h region at (sourceX, sourceY) of the image with its
    // top-left corner at (x, y), clipped to clip and the surface.
    virtual void DrawRegion(const CRect* clip, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                            std::int32_t sourceX, std::int32_t sourceY) = 0;

    std::int32_t GetWidth() const { return m_width; }
    std::int32_t GetHeight() const { return m_height; }
    void Draw(const CRect* clip, std::int32_t x, std::int32_t y) { DrawRegion(clip, x, y, m_width, m_height, 0, 0); }

protected:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};
