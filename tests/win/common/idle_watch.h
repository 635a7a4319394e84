#pragma once
// The session's idle time as the program measures it, watched from a test:
// whether a key was pressed (the idle time went back) over a span.
#include "win/common/settings_text.h"

#include <windows.h>

#include <string>

namespace staywick::test {

// A settings file that is on, indefinitely, with a limit of 0 minutes: every
// tick presses a key, unless something holds it back.
inline const std::string kOnLimitZero = SettingsFileText{.active = "1", .sleepMax = "0"}.Text();

// Milliseconds since the session's last input, as the program measures it.
DWORD SystemIdle();

// Under Wine a window that opens or closes (an error box) counts as input
// for the idle time, a moment after it did. This waits until the idle time
// has grown for a full second without going back.
bool WaitForSteadyIdle();

struct IdleSpan {
    bool fell = false; // the idle time went back: input, a key pressed
    DWORD grew = 0;    // how much it grew over the span
};

// Watches the idle time for `ms`, sampling it every 100 ms and calling
// `alongside` with each sample.
template <class F> IdleSpan WatchIdle(DWORD ms, F alongside) {
    IdleSpan span;
    const DWORD first = SystemIdle();
    DWORD last = first;
    const ULONGLONG until = ::GetTickCount64() + ms;
    while (::GetTickCount64() < until) {
        alongside();
        const DWORD idle = SystemIdle();
        span.fell |= idle < last;
        last = idle;
        ::Sleep(100);
    }
    alongside();
    const DWORD idle = SystemIdle();
    span.fell |= idle < last;
    span.grew = span.fell ? 0 : idle - first;
    return span;
}

inline IdleSpan WatchIdle(DWORD ms) {
    return WatchIdle(ms, [] {});
}

} // namespace staywick::test
