// The platform core: through it application code posts events to the
// window's queue and asks the program to quit. One exists while the applet
// runs; the applet creates it, stores it as the process-wide core and
// deletes it after the application's shutdown.
#pragma once

#include <cstdint>

#include "platform/shared/core/CClass.h"

class ICCore : public CClass {
public:
    static constexpr std::uint32_t kClassId = 0x02D75845;

    ICCore() : CClass(kClassId) {}
    ~ICCore() override = default;

    // The process-wide core, or null outside the applet's run.
    static ICCore* GetInstance() { return s_instance; }
    static void SetInstance(ICCore* core) { s_instance = core; }

    virtual void PostEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) = 0;
    // Runs the whole quit sequence before it returns; callers pass 0.
    virtual void Quit(int unused) = 0;

    // 6 on this platform; progress bars, the widgets and the network
    // requests read it.
    std::int32_t GetPlatformCode() const { return m_platformCode; }
    // Whether the screen takes stylus input.
    bool HasTouchInput() const { return m_touchInput != 0; }

protected:
    std::int32_t m_platformCode = 0;
    std::uint8_t m_touchInput = 0;

private:
    static inline ICCore* s_instance = nullptr;
};
