// Replays the network fuzz targets' seeds, and damaged copies of them, as
// ordinary tests (the sanitizer build checks the transports against them).
#include <gtest/gtest.h>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/NetFuzzTargets.h"
#include "tests/support/DebugCapture.h"

namespace {

TEST(FuzzSeeds, NetHttpTarget) {
    DebugCapture quiet;
    fuzz::ReplaySeeds(fuzz::FuzzNetHttp, fuzz::NetHttpSeeds());
}

TEST(FuzzSeeds, NetRawTarget) {
    DebugCapture quiet;
    fuzz::ReplaySeeds(fuzz::FuzzNetRaw, fuzz::NetRawSeeds());
}

TEST(FuzzSeeds, NetRepliesTarget) {
    DebugCapture quiet;
    fuzz::ReplaySeeds(fuzz::FuzzNetReplies, fuzz::NetReplySeeds());
}

}  // namespace
