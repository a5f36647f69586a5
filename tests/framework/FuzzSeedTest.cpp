#include <gtest/gtest.h>

#include "fuzz/ResMgrTarget.h"
#include "tests/framework/FrameworkApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"

namespace {

TEST(FuzzSeeds, ResMgrTarget) {
    ScopedFrameworkApp app;
    DebugCapture refusals;
    ReplayFuzzSeeds(fuzz::FuzzResMgr, fuzz::ResMgrSeeds());
    fuzz::RemoveScratch();
}

}  // namespace
