// A small application object for the platform tests: it records the frame
// steps the executor runs and owns nothing but what CApp owns. The hooks the
// platform expects of the application (CreateGameApp, OnExecutorInit,
// OnExecutorShutdown, OnExecutorUpdate, OnExecutorDraw) are defined with it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shared/core/CApp.h"

class TestApp : public CApp {
public:
    TestApp();
    ~TestApp() override;

    std::int32_t Startup() override;
    // Deletes the executor, as the game's shutdown does.
    void Shutdown() override;
    void Tick() override;
    std::uint8_t HandleEvent(std::uint32_t, std::uint16_t, std::uintptr_t) override { return 0; }

    // "U<frame time>" for each update, "D" for each draw.
    std::string m_frames;
    // What OnExecutorInit returns.
    std::int32_t m_initResult = 0;
    int m_shutdownCalls = 0;
    static int s_destroyed;
};

// Creates the test application, stores it as the process-wide application
// and starts it (singleton table and executor); deletes it when it goes.
class ScopedTestApp {
public:
    ScopedTestApp();
    ~ScopedTestApp();
    ScopedTestApp(const ScopedTestApp&) = delete;
    ScopedTestApp& operator=(const ScopedTestApp&) = delete;

    TestApp* operator->() const { return m_app; }
    TestApp* Get() const { return m_app; }

private:
    TestApp* m_app;
};
