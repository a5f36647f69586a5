#include "tests/framework/FrameworkApp.h"

#include <string>

#include "host/Window.h"

ScopedFrameworkApp::ScopedFrameworkApp(const host::DisplayFormat& format, std::int32_t backWidth,
                                       std::int32_t backHeight) {
    host::ResetDisplay();
    host::ResetWindowing(host::WindowOptions{.screenWidth = backWidth * 2, .screenHeight = backHeight * 2});
    host::SetDisplayFormat(format);
    m_app = CreateGameApp();
    CApp::SetInstance(m_app);
    m_app->Startup();
}

ScopedFrameworkApp::~ScopedFrameworkApp() {
    m_app->Shutdown();
    delete m_app;
    CApp::SetInstance(nullptr);
    host::ResetWindowing();
    host::ResetDisplay();
}

int ScopedFrameworkApp::Open(const vktools::ArchiveBuilder& archive) {
    const std::string name = "velkorin.big";
    if (!archive.WriteFile(m_dir.HostPath(name))) return 0;
    return Resources().Open(m_dir.Phone(name).c_str());
}
