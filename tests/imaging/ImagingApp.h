// The imaging tests' application: a singleton table for the graphics device
// and the blitter that images take their row functions from. The hooks an
// application defines (CreateGameApp, CGameApp::GetBlitter, ...) are defined
// with it.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
#include "src/SoftwareBlitter/CSoftwareImage.h"
#include "tools/BmpWriter.h"
#include "tools/SingletonTableApp.h"

class ImagingApp : public vktools::SingletonTableApp {
public:
    CSoftwareBlitter m_blitter;
};

// The process-wide application while it lives, with the graphics device
// open headless on a screen of twice the back buffer's size.
class ScopedImagingApp {
public:
    explicit ScopedImagingApp(std::int32_t backWidth = 200, std::int32_t backHeight = 150,
                              const host::DisplayFormat& format = host::kDisplayRgb565);
    ~ScopedImagingApp();
    ScopedImagingApp(const ScopedImagingApp&) = delete;
    ScopedImagingApp& operator=(const ScopedImagingApp&) = delete;

    CSoftwareBlitter* Blitter() const { return &m_app->m_blitter; }
    ICGraphics2d* Graphics() const { return m_graphics; }

private:
    ImagingApp* m_app;
    ICGraphics2d* m_graphics = nullptr;
};

// A plain target buffer of width x height pixels of the format (or of the
// given size), rows pitch bytes apart, with the application's blitter bound
// to it.
struct Target {
    Target(std::uint32_t format, std::int32_t width, std::int32_t height, std::int32_t padding = 0,
           std::uint32_t pixelBytes = 0);
    std::uint32_t Pixel(std::int32_t x, std::int32_t y) const;
    void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value);

    std::uint32_t format, pixelBytes;
    std::int32_t width, height, pitch;
    std::vector<std::uint8_t> bytes;
};

// A BMP file made by the tools/ writer.
inline vktools::Bytes MakeTestBmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                  std::vector<std::uint32_t> palette, std::vector<std::uint32_t> pixels,
                                  std::int32_t coloursUsed = 0) {
    vktools::BmpDesc desc;
    desc.width = width;
    desc.height = height;
    desc.bitCount = bitCount;
    desc.palette = std::move(palette);
    desc.coloursUsed = coloursUsed;
    desc.pixels = std::move(pixels);
    return vktools::MakeBmp(desc);
}

inline std::uint32_t Size(const vktools::Bytes& bytes) { return static_cast<std::uint32_t>(bytes.size()); }

// Pixel (x, y) of a native image.
inline std::uint32_t PixelOf(const CNativeImage& image, std::int32_t x, std::int32_t y) {
    const std::uint32_t bytes = PixelFormatBytes(image.GetPixelFormat());
    std::uint32_t value = 0;
    std::memcpy(&value, image.GetPixels() + (std::int64_t{y} * image.GetWidth() + x) * bytes, bytes);
    return value;
}
