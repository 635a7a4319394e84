#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace staywick {

namespace {
constexpr std::uint64_t kFileTimeUnitsPerMs = 10000;
}

std::uint64_t ClockWin32::MonotonicMilliseconds() {
    return ::GetTickCount64();
}

LocalClockTime ClockWin32::LocalTimeIn(std::uint64_t fromNowMs) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER then{};
    then.LowPart = now.dwLowDateTime;
    then.HighPart = now.dwHighDateTime;
    then.QuadPart += fromNowMs * kFileTimeUnitsPerMs;
    const FILETIME at{then.LowPart, then.HighPart};
    SYSTEMTIME utc{}, local{};
    if (!::FileTimeToSystemTime(&at, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        ::GetLocalTime(&local); // cannot happen for a valid time; the present is close enough
    }
    const std::uint64_t msSinceMidnight =
        ((std::uint64_t{local.wHour} * 60 + local.wMinute) * 60 + local.wSecond) * 1000 +
        local.wMilliseconds;
    return ClockTimeOfDay(msSinceMidnight);
}

} // namespace staywick
