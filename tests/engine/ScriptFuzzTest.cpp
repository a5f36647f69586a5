// Replays the seeds of the script and map fuzz targets, and damaged copies
// of them.
#include <gtest/gtest.h>

#include "fuzz/MapFuzz.h"
#include "fuzz/ScriptFuzz.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"
#include "src/CGameApp.h"

namespace {

// A fresh application object (for the file manager, the display and the
// blitter) for the scope.
struct FuzzApp {
    FuzzApp() {
        CApp::SetInstance(app);
        app->Startup();
    }
    ~FuzzApp() {
        delete app;
        CApp::SetInstance(nullptr);
    }
    CGameApp* app = new CGameApp();
    DebugCapture quiet;
};

TEST(FuzzSeeds, ScriptTarget) {
    FuzzApp app;
    const std::vector<vktools::Bytes> seeds = fuzz::ScriptSeeds();
    for (std::size_t i = 0; i + 1 < seeds.size(); ++i) {  // all but the last reach the engine
        AZ_Data data;
        EXPECT_TRUE(data.load(seeds[i].data(), static_cast<std::uint32_t>(seeds[i].size()))) << i;
    }
    ReplayFuzzSeeds(fuzz::FuzzScript, seeds);
    fuzz::RemoveScratch();
}

TEST(FuzzSeeds, MapTarget) {
    FuzzApp app;
    const std::vector<vktools::Bytes> seeds = fuzz::MapSeeds();
    ASSERT_EQ(seeds.size(), 5u);
    fuzz::FuzzMap(seeds[0].data(), seeds[0].size());  // a whole map, kept after the run
    EXPECT_EQ(AZ_Client::getInstance()->getAdapter()->getMap().layerCount, 2);
    ReplayFuzzSeeds(fuzz::FuzzMap, seeds);
    fuzz::CurrentMapWorld().reset();
}

}  // namespace
