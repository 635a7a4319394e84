#include "platform/win32/wall_clock_win32.h"

#include <windows.h>

namespace staywick {

WallTime WallClockWin32::Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    // wDayOfWeek counts from Sunday (0).
    return {.weekday = (t.wDayOfWeek + 6) % 7,
            .hour = t.wHour,
            .minute = t.wMinute,
            .second = t.wSecond,
            .millisecond = t.wMilliseconds};
}

} // namespace staywick
