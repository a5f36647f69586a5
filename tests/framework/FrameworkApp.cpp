#include "tests/framework/FrameworkApp.h"

#include <new>

#include "host/Window.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "src/CGameApp.h"

namespace {

FrameworkApp* App() { return static_cast<FrameworkApp*>(CApp::GetInstance()); }

}  // namespace

CApp* CreateGameApp() { return new (std::nothrow) FrameworkApp(); }
CSoftwareBlitter* CGameApp::GetBlitter() { return App() != nullptr ? &App()->m_blitter : nullptr; }
CResMgr* CGameApp::GetResMgr() { return App() != nullptr ? App()->m_resources : nullptr; }
CFontMgr* CGameApp::GetFontMgr() { return App() != nullptr ? App()->m_fonts : nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

ScopedFrameworkApp::ScopedFrameworkApp(const host::DisplayFormat& format, std::int32_t backWidth,
                                       std::int32_t backHeight)
    : m_app(static_cast<FrameworkApp*>(CreateGameApp())) {
    CApp::SetInstance(m_app);
    m_app->Startup();
    host::ResetDisplay();
    host::ResetWindowing(host::WindowOptions{.screenWidth = backWidth * 2, .screenHeight = backHeight * 2});
    host::SetDisplayFormat(format);
    m_graphics = ICGraphics2d::GetInstance();
    if (m_graphics != nullptr && !m_graphics->Init()) m_graphics = nullptr;
    if (m_graphics != nullptr) m_app->m_blitter.Init(m_graphics->GetRenderSurface()->GetPixelFormat(), nullptr, 0);
    m_app->m_resources = new CResMgr();
    m_app->m_fonts = new CFontMgr();
}

ScopedFrameworkApp::~ScopedFrameworkApp() {
    delete m_app->m_fonts;
    delete m_app->m_resources;
    delete ICGraphics2d::GetInstance();
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
