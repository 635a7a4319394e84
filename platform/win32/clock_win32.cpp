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

namespace staywick {

namespace {
// FILETIME units (100 ns) from 1601 to 1970.
constexpr std::int64_t kUnixEpochFileTime = 116444736000000000;

std::int64_t MsFromFileTime(const FILETIME& time) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return (static_cast<std::int64_t>(value.QuadPart) - kUnixEpochFileTime) /
           static_cast<std::int64_t>(kFileTimeUnitsPerMs);
}

FILETIME FileTimeFromMs(std::int64_t ms) {
    ULARGE_INTEGER value{};
    value.QuadPart = static_cast<ULONGLONG>(ms * static_cast<std::int64_t>(kFileTimeUnitsPerMs) +
                                            kUnixEpochFileTime);
    return {value.LowPart, value.HighPart};
}
} // namespace

std::int64_t ClockWin32::WallClockMs() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return MsFromFileTime(now);
}

// The current time zone's rules applied to the moment's own date, so a
// daylight-saving change ahead is placed where it falls.
std::int64_t ClockWin32::LocalWallMs(std::int64_t utcMs) {
    const FILETIME at = FileTimeFromMs(utcMs);
    SYSTEMTIME utc{}, local{};
    FILETIME localTime{};
    if (!::FileTimeToSystemTime(&at, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !::SystemTimeToFileTime(&local, &localTime)) {
        return utcMs; // cannot happen for a moment of this century
    }
    return MsFromFileTime(localTime);
}

std::wstring ClockWin32::TimeOfDayText(LocalClockTime time) {
    SYSTEMTIME at{};
    ::GetLocalTime(&at);
    at.wHour = static_cast<WORD>(time.hour);
    at.wMinute = static_cast<WORD>(time.minute);
    at.wSecond = 0;
    at.wMilliseconds = 0;
    wchar_t text[64] = {};
    if (::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &at, nullptr, text, 64) == 0)
        return {};
    return text;
}

} // namespace staywick
