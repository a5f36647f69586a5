// Clocks: the millisecond tick count and the system time.
#pragma once

#include <cstdint>

#include "host/WinTypes.h"

// Milliseconds since the process started (the device's boot on the phone);
// wraps after 49.7 days.
DWORD GetTickCount();
// The current time in UTC.
void GetSystemTime(SYSTEMTIME* out);
// Converts a valid SYSTEMTIME into a FILETIME; FALSE for out-of-range fields.
BOOL SystemTimeToFileTime(const SYSTEMTIME* in, FILETIME* out);

namespace host {

// Test control: while a virtual clock is set, GetTickCount and GetSystemTime
// read it instead of the real clocks, so that time passes only when a test
// says so.
void SetVirtualClock(std::uint32_t tickMs, std::int64_t unixMs);
void AdvanceVirtualClock(std::uint32_t ms);
// While the virtual clock is set, every GetTickCount read moves it on by ms
// after reading it (0, the default, stops that), so that code which polls
// the clock sees time pass. The listener is not called for these steps.
void SetVirtualClockStep(std::uint32_t ms);
// Also sets the step back to 0.
void ClearVirtualClock();
bool IsVirtualClock();

// Called with the milliseconds of each AdvanceVirtualClock, after the clock
// has moved and outside its lock: the headless audio output consumes samples
// by it. One listener; null removes it.
using VirtualClockListener = void (*)(std::uint32_t ms);
void SetVirtualClockListener(VirtualClockListener listener);

}  // namespace host
