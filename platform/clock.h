#pragma once
// The clocks the keep-awake controller reads around sleep and resume: a
// monotonic count that runs on while the computer sleeps (so a countdown's
// end can be checked at resume, and the last input placed in time), and the
// local time of day (for the reason shown with the power request).
// Win32: platform/win32/clock_win32.h.
#include <cstdint>

namespace staywick {

// A local time of day to the minute.
struct LocalClockTime {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59

    friend bool operator==(const LocalClockTime&, const LocalClockTime&) = default;
};

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds on a count that never goes back and includes the time the
    // computer spent asleep or hibernating.
    virtual std::uint64_t MonotonicMilliseconds() = 0;
    // The local time of day `fromNowMs` milliseconds from now, to the nearest
    // minute.
    virtual LocalClockTime LocalTimeIn(std::uint64_t fromNowMs) = 0;
};

// The time of day `msSinceMidnight` milliseconds after a local midnight, to
// the nearest minute (half a minute rounds up), wrapping past midnight.
LocalClockTime ClockTimeOfDay(std::uint64_t msSinceMidnight) noexcept;

} // namespace staywick
