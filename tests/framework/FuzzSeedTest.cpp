// Replays the framework's fuzz targets' seeds, and damaged copies of them,
// as ordinary tests (the sanitizer build checks the readers).
#include <gtest/gtest.h>

#include <random>

#include "fuzz/ConfigFuzzTarget.h"
#include "fuzz/FuzzSeeds.h"
#include "fuzz/GameFuzz.h"
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

// The whole game on the sample archive, and on two copies with bytes
// flipped all over it (its tables too).
TEST(FuzzSeedsGame, GameTarget) {
    const vktools::Bytes seed = fuzz::GameSeeds().front();
    ASSERT_FALSE(seed.empty());
    fuzz::FuzzGame(seed.data(), seed.size());
    std::mt19937 rng(37);
    for (int copy = 0; copy < 2; ++copy) {
        vktools::Bytes damaged = seed;
        for (int k = 0; k < 16; ++k) damaged[rng() % damaged.size()] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        fuzz::FuzzGame(damaged.data(), damaged.size());
    }
}

}  // namespace
