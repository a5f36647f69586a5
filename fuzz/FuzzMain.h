// What the libFuzzer targets share: the bodies, the seeds (and the seeding
// of an empty corpus directory named on the command line), and the
// application object that the file manager needs (with the hooks an
// application defines). Included once per target program.
#pragma once

#include "fuzz/FuzzSeeds.h"
#include "fuzz/FuzzTargets.h"
#include "platform/shared/core/CApp.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "tools/SingletonTableApp.h"

CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

namespace fuzz {

// Makes the process-wide application object, once.
inline void StartApp() {
    static CApp* const app = [] {
        auto* made = new vktools::SingletonTableApp();
        CApp::SetInstance(made);
        made->Startup();
        return made;
    }();
    (void)app;
}

}  // namespace fuzz
