// Replays the network fuzz targets' seeds, and damaged copies of them, as
// ordinary tests (the sanitizer build checks the transports against them).
#include <gtest/gtest.h>

#include "fuzz/FuzzSeeds.h"
#include "fuzz/NetFuzzTargets.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"

namespace {

TEST(FuzzSeeds, NetHttpTarget) {
    DebugCapture quiet;
    ReplayFuzzSeeds(fuzz::FuzzNetHttp, fuzz::NetHttpSeeds());
}

TEST(FuzzSeeds, NetRawTarget) {
    DebugCapture quiet;
    ReplayFuzzSeeds(fuzz::FuzzNetRaw, fuzz::NetRawSeeds());
}

TEST(FuzzSeeds, NetRepliesTarget) {
    DebugCapture quiet;
    ReplayFuzzSeeds(fuzz::FuzzNetReplies, fuzz::NetReplySeeds());
}

}  // namespace
