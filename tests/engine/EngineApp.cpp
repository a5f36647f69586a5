// The hooks that the platform library calls on an application. The engine
// tests run the applet's queue but never its message loop.
#include "platform/shared/core/CApp.h"
#include "platform/shared/systems/CAppExecutor.h"

CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
