// The application hooks the platform library calls; these tests run none.
#include <cstdint>

#include "platform/shared/core/CApp.h"

CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}
