#include <gtest/gtest.h>

#include <ctime>

#include "host/Clock.h"

namespace {

std::uint64_t Units(const FILETIME& ft) { return (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime; }

TEST(SystemTimeToFileTime, KnownDates) {
    struct Case {
        SYSTEMTIME st;
        std::uint64_t units;
    };
    const Case cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ull},
        {{1970, 1, 4, 1, 0, 1, 0, 0}, 116444736000000000ull + 60ull * 10000000},
        {{2000, 2, 2, 29, 12, 30, 15, 250}, 125963010152500000ull},
    };
    for (const auto& c : cases) {
        FILETIME ft{};
        ASSERT_EQ(SystemTimeToFileTime(&c.st, &ft), TRUE) << c.st.wYear;
        EXPECT_EQ(Units(ft), c.units) << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay;
    }
}

TEST(SystemTimeToFileTime, RejectsOutOfRangeFields) {
    const SYSTEMTIME bad[] = {
        {1600, 12, 0, 31, 0, 0, 0, 0}, {2001, 2, 0, 29, 0, 0, 0, 0}, {2000, 13, 0, 1, 0, 0, 0, 0},
        {2000, 1, 0, 0, 0, 0, 0, 0},   {2000, 1, 0, 1, 24, 0, 0, 0}, {2000, 1, 0, 1, 0, 0, 0, 1000},
    };
    for (const auto& st : bad) {
        FILETIME ft{};
        EXPECT_EQ(SystemTimeToFileTime(&st, &ft), FALSE) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    }
}

TEST(VirtualClock, DrivesTickCountAndSystemTime) {
    host::SetVirtualClock(0xFFFFFFF0u, 60'500);
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    host::AdvanceVirtualClock(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);  // wraps like the device's counter
    SYSTEMTIME st{};
    GetSystemTime(&st);
    EXPECT_EQ(st.wYear, 1970);
    EXPECT_EQ(st.wMinute, 1);
    EXPECT_EQ(st.wSecond, 0);
    EXPECT_EQ(st.wMilliseconds, 532);
    EXPECT_EQ(st.wDayOfWeek, 4);  // a Thursday
    host::ClearVirtualClock();
    EXPECT_FALSE(host::IsVirtualClock());
}

TEST(RealClock, SystemTimeFollowsTheCalendar) {
    SYSTEMTIME st{};
    const std::time_t before = std::time(nullptr);
    GetSystemTime(&st);
    std::tm utc{};
    gmtime_r(&before, &utc);
    EXPECT_EQ(st.wYear, utc.tm_year + 1900);
    EXPECT_EQ(st.wMonth, utc.tm_mon + 1);
}

}  // namespace
