// Replays the fuzz targets' seeds, and damaged copies of them, as ordinary
// tests, so that the sanitizer build checks every reader against them.
#include <gtest/gtest.h>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/FuzzTargets.h"
#include "tests/platform/TestApp.h"
#include "tests/support/FuzzReplay.h"
#include "tests/support/DebugCapture.h"

namespace {

void Replay(FuzzTarget target, const std::vector<vktools::Bytes>& seeds) {
    ScopedTestApp app;
    ReplayFuzzSeeds(target, seeds);
    fuzz::RemoveScratch();
}

TEST(FuzzSeeds, BigFileTarget) { Replay(fuzz::FuzzBigFile, fuzz::BigFileSeeds()); }

TEST(FuzzSeeds, BlobTarget) { Replay(fuzz::FuzzBlob, fuzz::BlobSeeds()); }

TEST(FuzzSeeds, FontTarget) { Replay(fuzz::FuzzFont, fuzz::FontSeeds()); }

TEST(FuzzSeeds, TextParserTarget) { Replay(fuzz::FuzzTextParser, fuzz::TextParserSeeds()); }

TEST(FuzzSeeds, OggTarget) {
    DebugCapture capture;  // every refused stream writes a line
    Replay(fuzz::FuzzOgg, fuzz::OggSeeds());
}

}  // namespace
