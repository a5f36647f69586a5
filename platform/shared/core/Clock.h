// The seconds clock and the millisecond tick clock.
#pragma once

#include <cstdint>

// Seconds since 1970-01-01 00:00 UTC, low 32 bits.
std::uint32_t GetSecondsSince1970();
// Milliseconds since the device started; unsigned, wraps after 49.7 days.
std::uint32_t GetTickCountMs();
// The frame loop's clock: GetTickCountMs.
std::uint32_t GetTimeMs();
