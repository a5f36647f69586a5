#include "tests/imaging/ImagingApp.h"

#include <cstring>
#include <new>

#include "host/Window.h"
#include "platform/shared/graphics/2d/PixelFormat.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/CGameApp.h"

CApp* CreateGameApp() { return new (std::nothrow) ImagingApp(); }
CSoftwareBlitter* CGameApp::GetBlitter() {
    auto* app = static_cast<ImagingApp*>(CApp::GetInstance());
    return app != nullptr ? &app->m_blitter : nullptr;
}
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

ScopedImagingApp::ScopedImagingApp(std::int32_t backWidth, std::int32_t backHeight,
                                   const host::DisplayFormat& format)
    : m_app(static_cast<ImagingApp*>(CreateGameApp())) {
    CApp::SetInstance(m_app);
    m_app->Startup();
    host::ResetDisplay();
    host::ResetWindowing(host::WindowOptions{.screenWidth = backWidth * 2, .screenHeight = backHeight * 2});
    host::SetDisplayFormat(format);
    m_graphics = ICGraphics2d::GetInstance();
    if (m_graphics != nullptr && !m_graphics->Init()) m_graphics = nullptr;
}

ScopedImagingApp::~ScopedImagingApp() {
    delete ICGraphics2d::GetInstance();
    delete m_app;
    CApp::SetInstance(nullptr);
    host::ResetWindowing();
    host::ResetDisplay();
}

Target::Target(std::uint32_t pixelFormat, std::int32_t w, std::int32_t h, std::int32_t padding, std::uint32_t size)
    : format(pixelFormat), pixelBytes(size != 0 ? size : PixelFormatBytes(pixelFormat)), width(w), height(h),
      pitch(w * static_cast<std::int32_t>(pixelBytes) + padding),
      bytes(static_cast<std::size_t>(pitch) * h) {
    CGameApp::GetBlitter()->Init(format, bytes.data(), pitch);
}

std::uint32_t Target::Pixel(std::int32_t x, std::int32_t y) const {
    std::uint32_t value = 0;
    std::memcpy(&value, &bytes[static_cast<std::size_t>(y * pitch + x * pixelBytes)], pixelBytes);
    return value;
}

void Target::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value) {
    std::memcpy(&bytes[static_cast<std::size_t>(y * pitch + x * pixelBytes)], &value, pixelBytes);
}
