#pragma once
// The clocks the keep-awake controller reads around sleep and resume: a
// monotonic count that runs on while the computer sleeps (so a countdown's
// end can be checked at resume, and the last input placed in time), and the
// local time of day (for the reason shown with the power request), and the
// wall clock with the local time-zone rules (for "until HH:MM").
// Win32: platform/win32/clock_win32.h.
#include <cstdint>
#include <string>

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
    // The wall clock: UTC milliseconds since 1970. The user or the time
    // service may move it at any moment.
    virtual std::int64_t WallClockMs() = 0;
    // What the local clock reads at a UTC moment (milliseconds since 1970 on
    // the local clock), by the time-zone rules, daylight saving included.
    virtual std::int64_t LocalWallMs(std::int64_t utcMs) = 0;
    // A time of day in the user's clock format: "17:30", "5:30 PM".
    virtual std::wstring TimeOfDayText(LocalClockTime time) = 0;
};

// The time of day `msSinceMidnight` milliseconds after a local midnight, to
// the nearest minute (half a minute rounds up), wrapping past midnight.
LocalClockTime ClockTimeOfDay(std::uint64_t msSinceMidnight) noexcept;

} // namespace staywick
