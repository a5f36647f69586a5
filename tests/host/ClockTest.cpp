#include <gtest/gtest.h>

#include "host/Clock.h"

namespace {

TEST(SystemTimeToFileTime, KnownDatesAndBadFields) {
    const struct {
        SYSTEMTIME st;
        BOOL ok;
        std::uint64_t units;
    } cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, TRUE, 0},
        {{2000, 2, 2, 29, 12, 30, 15, 250}, TRUE, 125963010152500000ull},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, FALSE, 0},
    };
    for (const auto& c : cases) {
        FILETIME ft{};
        ASSERT_EQ(SystemTimeToFileTime(&c.st, &ft), c.ok) << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay;
        if (c.ok) {
            EXPECT_EQ((std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime, c.units) << c.st.wYear;
        }
    }
}

TEST(VirtualClock, StepsAtEveryTickRead) {
    host::SetVirtualClock(0xFFFFFFF0u, 0);
    host::SetVirtualClockStep(10);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFFAu);
    EXPECT_EQ(GetTickCount(), 4u);  // wraps like the device's count
    host::SetVirtualClockStep(0);
    EXPECT_EQ(GetTickCount(), 14u);
    EXPECT_EQ(GetTickCount(), 14u);
    host::SetVirtualClockStep(5);
    host::ClearVirtualClock();  // ends the step too
    host::SetVirtualClock(100, 0);
    EXPECT_EQ(GetTickCount(), 100u);
    EXPECT_EQ(GetTickCount(), 100u);
    host::ClearVirtualClock();
}

}  // namespace
