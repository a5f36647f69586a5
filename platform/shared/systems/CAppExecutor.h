// The frame executor: turns the applet's timer ticks into the application's
// frames. Each tick measures the time since the last measured tick (capped)
// and runs the frame body, which updates and draws according to the state.
#pragma once

#include <cstdint>

#include "platform/shared/systems/CPriorityClass.h"

class CExecutableRegistry;

class CAppExecutor : public CPriorityClass {
public:
    static constexpr std::uint32_t kClassId = 0x2E3C54F6;
    static constexpr std::int32_t kMaxFrameTime = 1000;

    enum State : std::uint32_t { kRunning = 0, kStarting = 1, kStopped = 2, kPaused = 3, kResuming = 4 };
    // kUpdate: the next frame step is the update; kDraw: the draw.
    enum Phase : std::uint32_t { kUpdate = 0, kDraw = 1 };

    CAppExecutor() { SetClassId(kClassId); }
    ~CAppExecutor() override;

    CAppExecutor(const CAppExecutor&) = delete;
    CAppExecutor& operator=(const CAppExecutor&) = delete;

    // Creates the executable registry, then OnExecutorInit; 1 on success.
    virtual std::int32_t Init();
    // OnExecutorShutdown, then deletes the registry.
    virtual void Exit();
    virtual void Tick();
    virtual void Start();
    virtual void Stop();
    // Draw only, from now on.
    virtual void Pause();
    // The next tick only draws; the one after it measures from now.
    virtual void Resume();
    // The frame body: in the running state the update (phase 0 -> 1) then
    // the draw (phase 1 -> 0); paused, the draw only; else nothing.
    virtual void RunFrame();
    virtual void SetPhase(std::uint32_t phase) { m_phase = phase; }
    virtual void SetState(std::uint32_t state) { m_state = state; }

    std::uint32_t GetPhase() const { return m_phase; }
    std::uint32_t GetState() const { return m_state; }
    CExecutableRegistry* GetRegistry() const { return m_registry; }
    // Milliseconds of the last measured tick, at most 1000.
    std::int32_t GetFrameTime() const { return m_frameTime; }
    // The same in 1/1024 s.
    std::int32_t GetFrameTimeSeconds() const { return m_frameTimeSeconds; }

private:
    std::uint32_t m_phase = kUpdate;
    std::uint32_t m_state = kStarting;
    CExecutableRegistry* m_registry = nullptr;
    std::int32_t m_maxFrameTime = kMaxFrameTime;
    std::int32_t m_frameTime = 0;
    std::int32_t m_frameTimeSeconds = 0;
    std::uint32_t m_lastTickTime = 0;
};

// The application object's executor, or null.
CAppExecutor* GetAppExecutor();

// Hooks the application defines.
// Called by Init once the registry exists; 0 for success.
std::int32_t OnExecutorInit();
// Called by Exit before the registry is deleted.
void OnExecutorShutdown();
// The application's update (it reads the executor's frame time) and draw,
// run by RunFrame.
void OnExecutorUpdate();
void OnExecutorDraw();
