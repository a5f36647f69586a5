// Replays the fuzz targets' seeds, and damaged copies of them, as ordinary
// tests, so that the sanitizer build checks every reader against them.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/FuzzTargets.h"
#include "tests/platform/TestApp.h"
#include "tests/support/DebugCapture.h"

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

void Replay(Target target, const std::vector<vktools::Bytes>& seeds) {
    ScopedTestApp app;
    std::mt19937 rng(2024);
    for (const auto& seed : seeds) {
        target(seed.data(), seed.size());
        const std::size_t step = seed.size() / 24 + 1;
        for (std::size_t n = 0; n < seed.size(); n += step) target(seed.data(), n);
        for (int round = 0; round < 24 && !seed.empty(); ++round) {
            vktools::Bytes damaged = seed;
            for (int k = 0; k < 1 + round % 3; ++k) {
                damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(round % 2 ? rng() : 0xFF);
            }
            target(damaged.data(), damaged.size());
        }
    }
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
