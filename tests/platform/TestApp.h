// The platform tests' application, recording the executor's frames; the
// application hooks (CreateGameApp, OnExecutor*) are defined with it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shared/core/CApp.h"

class TestApp : public CApp {
public:
    std::int32_t Startup() override;
    void Shutdown() override;
    void Tick() override;
    std::uint8_t HandleEvent(std::uint32_t, std::uint16_t, std::uintptr_t) override { return 0; }

    std::string m_frames;  // "U<frame time>" per update, "D" per draw
};

// Makes a started test application the process-wide one while it lives.
class ScopedTestApp {
public:
    ScopedTestApp();
    ~ScopedTestApp();
    ScopedTestApp(const ScopedTestApp&) = delete;
    ScopedTestApp& operator=(const ScopedTestApp&) = delete;
    TestApp* operator->() const { return m_app; }

private:
    TestApp* m_app;
};
