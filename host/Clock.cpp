#include "host/Clock.h"

#include <atomic>
#include <ctime>
#include <mutex>

namespace {

std::mutex g_clockMutex;
bool g_virtual = false;
std::uint32_t g_virtualTick = 0;
std::int64_t g_virtualUnixMs = 0;
std::uint32_t g_virtualStep = 0;
std::atomic<host::VirtualClockListener> g_listener{nullptr};

std::int64_t NowMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The tick count starts near zero when the process starts.
const std::int64_t g_startMs = NowMs(CLOCK_MONOTONIC);

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool IsLeap(unsigned y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(unsigned y, unsigned m) {
    static const unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

DWORD GetTickCount() {
    std::lock_guard lock(g_clockMutex);
    if (g_virtual) {
        const DWORD tick = g_virtualTick;
        g_virtualTick += g_virtualStep;
        g_virtualUnixMs += g_virtualStep;
        return tick;
    }
    return static_cast<DWORD>(static_cast<std::uint64_t>(NowMs(CLOCK_MONOTONIC) - g_startMs));
}

void GetSystemTime(SYSTEMTIME* out) {
    std::int64_t unixMs;
    {
        std::lock_guard lock(g_clockMutex);
        unixMs = g_virtual ? g_virtualUnixMs : NowMs(CLOCK_REALTIME);
    }
    const time_t secs = static_cast<time_t>(unixMs / 1000);
    tm utc{};
    gmtime_r(&secs, &utc);
    out->wYear = static_cast<WORD>(utc.tm_year + 1900);
    out->wMonth = static_cast<WORD>(utc.tm_mon + 1);
    out->wDayOfWeek = static_cast<WORD>(utc.tm_wday);
    out->wDay = static_cast<WORD>(utc.tm_mday);
    out->wHour = static_cast<WORD>(utc.tm_hour);
    out->wMinute = static_cast<WORD>(utc.tm_min);
    out->wSecond = static_cast<WORD>(utc.tm_sec);
    out->wMilliseconds = static_cast<WORD>(unixMs % 1000);
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* in, FILETIME* out) {
    if (in->wYear < 1601 || in->wYear > 30827 || in->wMonth < 1 || in->wMonth > 12 || in->wDay < 1 ||
        in->wDay > DaysInMonth(in->wYear, in->wMonth) || in->wHour > 23 || in->wMinute > 59 ||
        in->wSecond > 59 || in->wMilliseconds > 999) {
        return FALSE;
    }
    // 1601-01-01 lies 134774 days before 1970-01-01.
    const std::int64_t days = DaysFromCivil(in->wYear, in->wMonth, in->wDay) + 134774;
    const std::int64_t ms =
        ((days * 24 + in->wHour) * 60 + in->wMinute) * 60000 + in->wSecond * 1000 + in->wMilliseconds;
    const std::uint64_t units = static_cast<std::uint64_t>(ms) * 10000;
    out->dwLowDateTime = static_cast<DWORD>(units);
    out->dwHighDateTime = static_cast<DWORD>(units >> 32);
    return TRUE;
}

namespace host {

void SetVirtualClock(std::uint32_t tickMs, std::int64_t unixMs) {
    std::lock_guard lock(g_clockMutex);
    g_virtual = true;
    g_virtualTick = tickMs;
    g_virtualUnixMs = unixMs;
}

void AdvanceVirtualClock(std::uint32_t ms) {
    {
        std::lock_guard lock(g_clockMutex);
        g_virtualTick += ms;  // unsigned: wraps like the device's tick count
        g_virtualUnixMs += ms;
    }
    if (const VirtualClockListener listener = g_listener.load()) listener(ms);
}

void SetVirtualClockListener(VirtualClockListener listener) { g_listener.store(listener); }

void SetVirtualClockStep(std::uint32_t ms) {
    std::lock_guard lock(g_clockMutex);
    g_virtualStep = ms;
}

void ClearVirtualClock() {
    std::lock_guard lock(g_clockMutex);
    g_virtual = false;
    g_virtualStep = 0;
}

bool IsVirtualClock() {
    std::lock_guard lock(g_clockMutex);
    return g_virtual;
}

}  // namespace host
