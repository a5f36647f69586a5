// Replays the framework's fuzz targets' seeds, and damaged copies of them,
// as ordinary tests (the sanitizer build checks the readers).
#include <gtest/gtest.h>

#include "fuzz/ConfigFuzzTarget.h"
#include "fuzz/FuzzSeeds.h"
#include "fuzz/ResMgrTarget.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/framework/GameDirTest.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"

namespace {

using FuzzSeeds = GameDirTest;

TEST_F(FuzzSeeds, ConfigTarget) { ReplayFuzzSeeds(fuzz::FuzzConfig, fuzz::ConfigSeeds()); }

TEST(FuzzSeedsResMgr, ResMgrTarget) {
    ScopedFrameworkApp app;
    DebugCapture refusals;
    ReplayFuzzSeeds(fuzz::FuzzResMgr, fuzz::ResMgrSeeds());
    fuzz::RemoveScratch();
}

}  // namespace
