#pragma once
// The clocks on Windows: GetTickCount64, which counts on while the computer
// sleeps (the same count as the last-input time), and the local time of day
// through the time-zone rules of the day in question; the wall clock as a
// FILETIME counted from 1970, and the user's time format.
#include "platform/clock.h"

namespace staywick {

class ClockWin32 final : public Clock {
public:
    std::uint64_t MonotonicMilliseconds() override;
    LocalClockTime LocalTimeIn(std::uint64_t fromNowMs) override;
    std::int64_t WallClockMs() override;
    std::int64_t LocalWallMs(std::int64_t utcMs) override;
    std::wstring TimeOfDayText(LocalClockTime time) override;
};

} // namespace staywick
