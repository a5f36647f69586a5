// The imaging tests' application: a singleton table for the graphics device
// and the blitter that images take their row functions from. The hooks an
// application defines (CreateGameApp, CGameApp::GetBlitter, ...) are defined
// with it.
#pragma once

#include <cstdint>
#include <vector>

#include "host/DDraw.h"
#include "platform/shared/graphics/2d/ICGraphics2d.h"
#include "src/SoftwareBlitter/CSoftwareBlitter.h"
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
