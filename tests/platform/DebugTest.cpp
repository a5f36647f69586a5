#include <gtest/gtest.h>

#include <string>

#include "host/Clock.h"
#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "tests/support/DebugCapture.h"

namespace {

TEST(DebugPrintf, WritesOneLinePerCall) {
    DebugCapture capture;
    EXPECT_EQ(DebugPrintf("SOCKET: %s %u", "open", 7u), 14);
    CCore_Win32::DebugPrint("x=%d", -3);
    EXPECT_EQ(capture.Text(), "SOCKET: open 7\nx=-3\n");
}

TEST(DebugPrintf, CutsLongLinesAt255Characters) {
    DebugCapture capture;
    const std::string longText(1000, 'h');
    EXPECT_EQ(DebugPrintf("[%s]", longText.c_str()), 1002);
    const auto lines = capture.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "[" + std::string(254, 'h'));
}

TEST(DebugPrintf, HighBytesWidenToTheSameCodeUnit) {
    DebugCapture capture;
    DebugPrintf("%s", "\xE9");
    EXPECT_EQ(capture.Text(), "\xC3\xA9\n");  // U+00E9 written as UTF-8
}

TEST(DebugAssert, TrueConditionDoesNothing) {
    DebugCapture capture;
    DebugAssert(true, "file", 1);
    CCore_Win32::AssertFailed(2, "file", 2);
    EXPECT_EQ(capture.Text(), "");
}

TEST(DebugAssertDeathTest, FalseConditionLogsAndEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(DebugAssert(false, "..\\..\\platform\\shared\\components\\inc\\CSingleton", 73),
                 "ASSERT FAILED - File: \\.\\.\\\\\\.\\.\\\\platform\\\\shared\\\\components\\\\inc\\\\CSingleton, "
                 "Line: 73\n");
    EXPECT_DEATH(CCore_Win32::AssertFailed(0, "a.cpp", -1), "^ASSERT FAILED - File: a.cpp, Line: -1\n$");
}

TEST(GetSecondsSince1970, AgreesWithTheSystemClock) {
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const std::uint32_t secs = GetSecondsSince1970();
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    EXPECT_GE(secs, before);
    // time() reads a coarse clock that may still show the previous second.
    EXPECT_LE(secs, after + 1);
}

TEST(GetSecondsSince1970, VirtualDates) {
    struct Case {
        std::int64_t unixMs;
        std::uint32_t seconds;
    };
    const Case cases[] = {{60'000, 60}, {60'999, 60}, {0, 0}, {4'102'444'800'000, 4'102'444'800u}};
    for (const auto& c : cases) {
        host::SetVirtualClock(0, c.unixMs);
        EXPECT_EQ(GetSecondsSince1970(), c.seconds) << c.unixMs;
    }
    host::ClearVirtualClock();
}

}  // namespace
