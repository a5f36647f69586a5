// Replays the fuzz targets' seeds, and damaged copies of them, as ordinary
// tests, so that the sanitizer build checks every reader against them.
#include <gtest/gtest.h>

#include <cstdint>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/FuzzTargets.h"
#include "tests/platform/TestApp.h"
#include "tests/support/FuzzReplay.h"

namespace {

void Replay(int (*target)(const std::uint8_t*, std::size_t), const std::vector<vktools::Bytes>& seeds) {
    ScopedTestApp app;
    ReplayFuzzSeeds(target, seeds);
    fuzz::RemoveScratch();
}

TEST(FuzzSeeds, BigFileTarget) { Replay(fuzz::FuzzBigFile, fuzz::BigFileSeeds()); }

TEST(FuzzSeeds, BlobTarget) { Replay(fuzz::FuzzBlob, fuzz::BlobSeeds()); }

}  // namespace
