// Replays the configuration fuzz target's seeds, and damaged copies of
// them, as ordinary tests (the sanitizer build checks the readers).
#include <gtest/gtest.h>

#include "fuzz/ConfigFuzzTarget.h"
#include "fuzz/FuzzSeeds.h"
#include "tests/framework/GameDirTest.h"
#include "tests/support/FuzzReplay.h"

namespace {

using FuzzSeeds = GameDirTest;

TEST_F(FuzzSeeds, ConfigTarget) { ReplayFuzzSeeds(fuzz::FuzzConfig, fuzz::ConfigSeeds()); }

}  // namespace
