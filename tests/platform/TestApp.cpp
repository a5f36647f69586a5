#include "tests/platform/TestApp.h"

#include <new>

#include "platform/shared/core/CHash.h"
#include "platform/shared/systems/CAppExecutor.h"

std::int32_t TestApp::Startup() {
    auto* table = new CHash();
    SetSingletonTable(table);
    SetExecutor(new CAppExecutor());
    return table->Init(20, 20, true) && GetExecutor()->Init() == 1 ? 0 : 1;
}

void TestApp::Shutdown() {
    delete GetExecutor();
    SetExecutor(nullptr);
}

void TestApp::Tick() { GetExecutor()->Tick(); }

namespace {
TestApp* Current() { return static_cast<TestApp*>(CApp::GetInstance()); }
}  // namespace

CApp* CreateGameApp() { return new (std::nothrow) TestApp(); }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}

void OnExecutorUpdate() {
    if (Current() != nullptr) Current()->m_frames += 'U' + std::to_string(GetAppExecutor()->GetFrameTime());
}

void OnExecutorDraw() {
    if (Current() != nullptr) Current()->m_frames += 'D';
}

ScopedTestApp::ScopedTestApp() : m_app(static_cast<TestApp*>(CreateGameApp())) {
    CApp::SetInstance(m_app);
    m_app->Startup();
}

ScopedTestApp::~ScopedTestApp() {
    m_app->Shutdown();
    delete m_app;
    CApp::SetInstance(nullptr);
}
