#include <gtest/gtest.h>

#include "host/Clock.h"

namespace {

TEST(SystemTimeToFileTime, KnownDatesAndBadFields) {
    struct Case {
        SYSTEMTIME st;
        BOOL ok;
        std::uint64_t units;
    };
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, TRUE, 0},
        {{1970, 1, 4, 1, 0, 1, 0, 0}, TRUE, 116444736000000000ull + 60ull * 10000000},
        {{2000, 2, 2, 29, 12, 30, 15, 250}, TRUE, 125963010152500000ull},
        {{1600, 12, 0, 31, 0, 0, 0, 0}, FALSE, 0},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, FALSE, 0},
        {{2000, 1, 0, 1, 24, 0, 0, 0}, FALSE, 0},
    };
    for (const auto& c : cases) {
        FILETIME ft{};
        ASSERT_EQ(SystemTimeToFileTime(&c.st, &ft), c.ok) << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay;
        if (c.ok) {
            EXPECT_EQ((std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime, c.units) << c.st.wYear;
        }
    }
}

TEST(VirtualClock, DrivesTickCountAndSystemTime) {
    host::SetVirtualClock(0xFFFFFFF0u, 60'500);
    host::AdvanceVirtualClock(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);  // wraps like the device's counter
    SYSTEMTIME st{};
    GetSystemTime(&st);
    EXPECT_EQ(st.wYear, 1970);
    EXPECT_EQ(st.wMinute, 1);
    EXPECT_EQ(st.wMilliseconds, 532);
    EXPECT_EQ(st.wDayOfWeek, 4);  // a Thursday
    host::ClearVirtualClock();
}

}  // namespace
