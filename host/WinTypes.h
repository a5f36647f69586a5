// Basic types of the phone's system interfaces, as the game's code uses them.
// Our own declarations: only what the callers need, with fixed widths.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using WCHAR = char16_t;
using LPCWSTR = const char16_t*;
using HANDLE = void*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Broken-down UTC time.
struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;  // 1-12
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;  // 1-31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// 100-nanosecond intervals since 1601-01-01 00:00 UTC, split in two halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
