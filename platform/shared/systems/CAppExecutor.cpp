#include "platform/shared/systems/CAppExecutor.h"

#include <new>

#include "platform/shared/core/CApp.h"
#include "platform/shared/core/Clock.h"
#include "platform/shared/systems/CExecutableRegistry.h"

CAppExecutor* GetAppExecutor() {
    CApp* app = CApp::GetInstance();
    return app != nullptr ? app->GetExecutor() : nullptr;
}

CAppExecutor::~CAppExecutor() { CAppExecutor::Exit(); }

std::int32_t CAppExecutor::Init() {
    m_registry = new (std::nothrow) CExecutableRegistry();
    if (m_registry == nullptr) return 0;
    return OnExecutorInit() == 0 ? 1 : 0;
}

void CAppExecutor::Exit() {
    if (m_registry == nullptr) return;
    OnExecutorShutdown();
    delete m_registry;
    m_registry = nullptr;
}

void CAppExecutor::Tick() {
    const std::uint32_t phase = m_phase;
    std::uint32_t now = 0;
    if (phase == kUpdate) {
        now = GetTimeMs();
        // Unsigned: the millisecond clock wraps after 49.7 days, and a gap
        // too long for a signed difference is still capped, not negative.
        const std::uint32_t elapsed = now - m_lastTickTime;
        m_frameTime = elapsed < static_cast<std::uint32_t>(m_maxFrameTime) ? static_cast<std::int32_t>(elapsed)
                                                                           : m_maxFrameTime;
        m_frameTimeSeconds = m_frameTime * 1024 / 1000;
    }
    RunFrame();
    if (phase == kUpdate) m_lastTickTime = now;
}

void CAppExecutor::RunFrame() {
    switch (m_state) {
        case kRunning:
            if (m_phase == kUpdate) {
                OnExecutorUpdate();
                SetPhase(kDraw);
            }
            if (m_phase == kDraw) {
                OnExecutorDraw();
                SetPhase(kUpdate);
            }
            break;
        case kPaused:
            OnExecutorDraw();
            SetPhase(kUpdate);
            break;
        default:
            break;
    }
}

void CAppExecutor::Start() {
    SetPhase(kUpdate);
    SetState(kStarting);
    m_lastTickTime = GetTimeMs();
    Tick();
    SetState(kRunning);
}

void CAppExecutor::Stop() {
    SetPhase(kUpdate);
    SetState(kStopped);
    Tick();
}

void CAppExecutor::Pause() {
    SetPhase(kUpdate);
    SetState(kPaused);
    Tick();
}

void CAppExecutor::Resume() {
    SetPhase(kDraw);
    SetState(kResuming);
    m_lastTickTime = GetTimeMs();
    Tick();
    SetState(kRunning);
}
