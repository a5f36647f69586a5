// Interface of the application object as the applet uses it (replaced by
// the application core when it is merged).
#pragma once
#include <cstdint>
#include "platform/shared/core/CClass.h"
class CApp : public CClass {
public:
    static CApp* GetInstance() { return s_instance; }
    static void SetInstance(CApp* app) { s_instance = app; }
    virtual std::int32_t Startup() = 0;
    virtual void Shutdown() = 0;
    virtual void Tick() = 0;
    virtual std::uint8_t HandleEvent(std::uint32_t id, std::uint16_t param1, std::uintptr_t param2) = 0;
private:
    static inline CApp* s_instance = nullptr;
};
CApp* CreateGameApp();
