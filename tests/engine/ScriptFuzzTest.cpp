// Replays the script fuzz target's seeds, and damaged copies of them.
#include <gtest/gtest.h>

#include "fuzz/ScriptFuzz.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"
#include "tools/SingletonTableApp.h"

namespace {

TEST(FuzzSeeds, ScriptTarget) {
    auto* app = new vktools::SingletonTableApp();  // for the file manager
    CApp::SetInstance(app);
    app->Startup();
    DebugCapture quiet;
    const std::vector<vktools::Bytes> seeds = fuzz::ScriptSeeds();
    for (std::size_t i = 0; i + 1 < seeds.size(); ++i) {  // all but the last reach the engine
        AZ_Data data;
        EXPECT_TRUE(data.load(seeds[i].data(), static_cast<std::uint32_t>(seeds[i].size()))) << i;
    }
    ReplayFuzzSeeds(fuzz::FuzzScript, seeds);
    fuzz::RemoveScratch();
    delete app;
    CApp::SetInstance(nullptr);
}

}  // namespace
