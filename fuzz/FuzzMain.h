// What the libFuzzer targets share: the bodies, the seeds, the seeding of
// an empty corpus directory named on the command line, and the application
// object that the file manager needs (with the hooks an application
// defines). Included once per target program.
#pragma once

#include <filesystem>
#include <new>
#include <string>
#include <vector>

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

inline void SeedCorpus(int argc, char** argv, const std::vector<vktools::Bytes>& seeds) {
    namespace fs = std::filesystem;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') continue;
        std::error_code error;
        const fs::path dir(argv[i]);
        if (!fs::is_directory(dir, error) || !fs::is_empty(dir, error)) return;
        for (std::size_t n = 0; n < seeds.size(); ++n) {
            vktools::WriteHostFile((dir / ("seed" + std::to_string(n))).string(), seeds[n]);
        }
        return;
    }
}

}  // namespace fuzz
