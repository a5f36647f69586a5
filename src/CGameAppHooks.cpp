// The hooks through which the platform library reaches the game's
// application. Kept apart from the framework library: the game and the tests
// that run the real application link this file, other test programs link
// the framework with hooks and an application of their own.
#include <new>

#include "platform/shared/systems/CAppExecutor.h"
#include "src/CGameApp.h"

CApp* CreateGameApp() { return new (std::nothrow) CGameApp(); }

std::int32_t OnExecutorInit() { return 0; }

void OnExecutorShutdown() {}

void OnExecutorUpdate() {
    if (CGameApp* app = CGameApp::GetInstance()) app->Update();
}

void OnExecutorDraw() {
    if (CGameApp* app = CGameApp::GetInstance()) app->Draw();
}
