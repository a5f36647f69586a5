#include <gtest/gtest.h>

#include "fuzz/BmpTarget.h"
#include "tests/imaging/ImagingApp.h"
#include "tests/support/DebugCapture.h"
#include "tests/support/FuzzReplay.h"

namespace {

TEST(FuzzSeeds, BmpTarget) {
    ScopedImagingApp app(16, 12);
    DebugCapture refusals;
    ReplayFuzzSeeds(fuzz::FuzzBmp, fuzz::BmpSeeds());
}

}  // namespace
