#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "host/Clock.h"
#include "platform/shared/core/Clock.h"
#include "platform/shared/core/Debug.h"
#include "platform/shared/core/StringUtil.h"
#include "platform/shared/win32/CCore_Win32.h"
#include "tests/support/DebugCapture.h"

namespace {

TEST(DebugPrintf, WritesOneLineCutAt255Characters) {
    DebugCapture capture;
    const std::string longText(1000, 'h');
    EXPECT_EQ(DebugPrintf("[%s]", longText.c_str()), 1002);
    CCore_Win32::DebugPrint("x=%d\xE9", -3);
    EXPECT_EQ(capture.Text(), "[" + std::string(254, 'h') + "\nx=-3\xC3\xA9\n");  // U+00E9 as UTF-8
}

TEST(HexDump, LinesOfEightBytes) {
    const struct {
        const char* label;
        std::vector<std::uint8_t> bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"abc",
         {0x00, 'A', '%', 0x7F, ' ', '~', 0x1F, 0xFF, 'h', 'i'},
         {"abc: 0000: 00 41 25 7f 20 7e 1f ff   .A%. ~..", "abc: 0008: 68 69 " + std::string(18, ' ') + "  hi"}},
        {"abcdefghijkl", {'z'}, {"abcdefghi: 0000: 7a " + std::string(21, ' ') + "  z"}},  // label cut to 9
        {"%s%n%d", {'%', 'n'}, {"%s%n%d: 0000: 25 6e " + std::string(18, ' ') + "  %n"}},  // never a format
    };
    for (const auto& c : cases) {
        DebugCapture capture;
        CCore_Win32::HexDump(c.label, c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()));
        EXPECT_EQ(capture.Lines(), c.lines) << c.label;
    }
}

TEST(HexDump, WalkEndsAtTheLengthNearFourGibibytes) {
    // {offset, length, next line's offset}
    const std::uint32_t cases[][3] = {
        {0, 10, 8}, {8, 10, 10}, {0xFFFFFFF0u, 0xFFFFFFFDu, 0xFFFFFFF8u}, {0xFFFFFFF8u, 0xFFFFFFFDu, 0xFFFFFFFDu},
        {0xFFFFFFF8u, 0xFFFFFFFFu, 0xFFFFFFFFu}};
    for (const auto& c : cases) EXPECT_EQ(CCore_Win32::HexDumpNextLine(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(SafeStrCopy, CutsTerminatesAndStaysInside) {
    // {source, n, the 8-byte buffer after copying into its middle (from index 2)}
    const struct {
        const char* source;
        std::size_t n;
        std::string after;
    } cases[] = {
        {"ab", 4, std::string("##ab\0\0##", 8)},
        {"abcdef", 4, std::string("##abc\0##", 8)},
        {"abc", 0, "########"},  // nothing written, not even a terminator before the buffer
    };
    for (const auto& c : cases) {
        char buffer[8];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(SafeStrCopy(buffer + 2, c.source, c.n), buffer + 2);
        EXPECT_EQ(std::string(buffer, sizeof buffer), c.after) << c.source << " " << c.n;
    }
}

TEST(DebugAssert, AnyNonZeroConditionHolds) {
    DebugCapture capture;
    DebugAssert(256, "file", 1);  // no low bits set
    EXPECT_EQ(capture.Text(), "");
}

TEST(DebugAssertDeathTest, FalseConditionLogsAndEndsTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(DebugAssert(false, "..\\inc\\CSingleton", 73), "ASSERT FAILED - File: \\.\\.\\\\inc\\\\CSingleton, Line: 73\n");
}

TEST(GetSecondsSince1970, AgreesWithTheClock) {
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    const std::uint32_t secs = GetSecondsSince1970();
    EXPECT_GE(secs, before);
    EXPECT_LE(secs, static_cast<std::uint32_t>(std::time(nullptr)) + 1);  // time() may lag a second

    host::SetVirtualClock(0, 60'999);  // 1970-01-01 00:01:00.999
    EXPECT_EQ(GetSecondsSince1970(), 60u);
    host::ClearVirtualClock();
}

}  // namespace
