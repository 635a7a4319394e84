#pragma once
// The weekly schedule: chosen days and a daily window "from HH:MM to HH:MM",
// read on the wall clock, so daylight-saving changes need no arithmetic of
// their own. A window belongs to the day it starts on; one whose end is not
// after its start crosses midnight into the next day, and one that ends where
// it starts lasts the whole 24 hours.
#include "platform/clock.h"
#include "platform/wall_clock.h"

#include <cstdint>
#include <optional>

namespace staywick {

struct Schedule {
    std::int32_t days = 0; // Monday 1 ... Sunday 64
    std::int32_t from = 0; // minutes after midnight
    std::int32_t to = 0;
};

// The window's end when `now` lies inside a window; none otherwise.
std::optional<LocalClockTime> ScheduledUntil(const Schedule& schedule, const WallTime& now);

// Milliseconds until the next whole minute of the wall clock, when the
// answer may next change (at least 1).
std::uint32_t MillisecondsToNextMinute(const WallTime& now);

} // namespace staywick
