// Golden frames: the back buffer compared pixel for pixel with a committed
// picture, tests/golden/NAME.png, in RGB 565 (an XRGB 8888 back buffer is
// reduced to 565 first, so one picture serves both). A mismatch writes
// NAME.actual.png and NAME.diff.png (differing pixels red) into the build's
// tests/golden/. With VK_UPDATE_GOLDEN=1 in the environment the picture is
// written instead; look at it before committing it.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Reads the graphics device's back buffer as it is now.
testing::AssertionResult MatchesGoldenFrame(const std::string& name);
