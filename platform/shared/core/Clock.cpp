#include "platform/shared/core/Clock.h"

#include "host/Clock.h"

namespace {

std::uint64_t FileTimeUnits(const FILETIME& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

}  // namespace

std::uint32_t GetSecondsSince1970() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    FILETIME nowFt{};
    SystemTimeToFileTime(&now, &nowFt);

    SYSTEMTIME epoch{};
    epoch.wYear = 1970;
    epoch.wMonth = 1;
    epoch.wDay = 1;
    FILETIME epochFt{};
    SystemTimeToFileTime(&epoch, &epochFt);

    const std::int64_t diff =
        static_cast<std::int64_t>(FileTimeUnits(nowFt)) - static_cast<std::int64_t>(FileTimeUnits(epochFt));
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(diff / 10000000));
}

std::uint32_t GetTickCountMs() { return GetTickCount(); }

std::uint32_t GetTimeMs() { return GetTickCountMs(); }
