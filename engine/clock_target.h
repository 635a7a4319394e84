#pragma once
// "Until HH:MM": the next moment the wall clock shows a time of day. Times
// are milliseconds since 1970: `utc` on the real time line, `local` as the
// local clock reads them. The time-zone rules come in as a function from one
// to the other, so daylight-saving changes can be placed by tests.
#include "platform/clock.h"

#include <cstdint>
#include <functional>

namespace staywick {

inline constexpr std::int64_t kDayMs = 86400000;
inline constexpr std::int32_t kMinutesPerDay = 1440;

// The local clock's reading at a UTC moment.
using LocalFromUtc = std::function<std::int64_t(std::int64_t utcMs)>;

// The local reading of the next HH:MM (`minuteOfDay` 0..1439) after
// `nowLocal`: today when the clock has not reached it yet, else tomorrow.
std::int64_t NextClockTarget(std::int64_t nowLocal, std::int32_t minuteOfDay) noexcept;

// After the clock was set: an end more than a day ahead of the clock's
// reading `nowLocal` (the clock went back) becomes the next time the clock
// shows the end's time of day; a nearer end stays as it is.
std::int64_t ClockTargetAfterChange(std::int64_t nowLocal, std::int64_t targetLocal) noexcept;

// The minute of the day (0..1439) a local reading falls in.
std::int32_t MinuteOfDayAt(std::int64_t local) noexcept;

// The first UTC moment from `nowUtc` on at which the clock reads `targetLocal`
// or later; `nowUtc` itself when it already does. When the clock repeats an
// hour (daylight saving ends) that is the first pass; when it skips the
// target (daylight saving starts), the moment of the jump.
std::int64_t FirstMomentShowing(std::int64_t nowUtc, std::int64_t targetLocal,
                                const LocalFromUtc& localFromUtc);

// Both together: when keep-awake "until HH:MM" set at `nowUtc` ends.
std::int64_t NextOccurrence(std::int64_t nowUtc, std::int32_t minuteOfDay,
                            const LocalFromUtc& localFromUtc);

// 0..1439 minutes after midnight.
constexpr bool IsMinuteOfDay(std::int64_t minute) noexcept {
    return minute >= 0 && minute < kMinutesPerDay;
}

constexpr LocalClockTime ClockTimeOfMinute(std::int32_t minuteOfDay) noexcept {
    return {minuteOfDay / 60, minuteOfDay % 60};
}

} // namespace staywick
