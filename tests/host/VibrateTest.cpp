#include <gtest/gtest.h>

#include "host/Vibrate.h"
#include "host/WaveOut.h"

namespace {

TEST(Vibrate, HeadlessRecordsTheCalls) {
    host::SetMediaBackend(host::MediaBackend::Headless);
    host::TakeVibrationCalls();
    EXPECT_EQ(Vibrate(0, nullptr, TRUE, INFINITE), S_OK);
    host::SetVibrateResult(E_FAIL);
    EXPECT_EQ(Vibrate(0, nullptr, FALSE, 250), E_FAIL);
    host::SetVibrateResult(S_OK);
    EXPECT_EQ(VibrateStop(), S_OK);
    const std::vector<host::VibrationCall> calls = host::TakeVibrationCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_TRUE(calls[0].start);
    EXPECT_EQ(calls[0].repeat, TRUE);
    EXPECT_EQ(calls[0].timeoutMs, INFINITE);
    EXPECT_EQ(calls[1].timeoutMs, 250u);
    EXPECT_FALSE(calls[2].start);
}

TEST(Vibrate, WithoutAHapticDeviceSdlDoesNothingAndSucceeds) {
    host::SetMediaBackend(host::MediaBackend::Sdl);
    EXPECT_EQ(Vibrate(0, nullptr, TRUE, INFINITE), S_OK);
    EXPECT_EQ(VibrateStop(), S_OK);
    host::SetMediaBackend(host::MediaBackend::Headless);
    EXPECT_TRUE(host::TakeVibrationCalls().empty());
}

}  // namespace
