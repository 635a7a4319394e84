#include "engine/schedule_rules.h"

namespace staywick {

namespace {

bool DayChosen(const Schedule& schedule, int weekday) {
    return (schedule.days & (1 << ((weekday % 7 + 7) % 7))) != 0;
}

} // namespace

std::optional<LocalClockTime> ScheduledUntil(const Schedule& schedule, const WallTime& now) {
    const int minute = now.hour * 60 + now.minute;
    const int from = schedule.from;
    const int to = schedule.to;
    bool inside = false;
    if (to > from) {
        inside = DayChosen(schedule, now.weekday) && minute >= from && minute < to;
    } else {
        // Started today, or started yesterday and still running past midnight.
        inside = (DayChosen(schedule, now.weekday) && minute >= from) ||
                 (DayChosen(schedule, now.weekday - 1) && minute < to);
    }
    if (!inside)
        return std::nullopt;
    return LocalClockTime{to / 60, to % 60};
}

std::uint32_t MillisecondsToNextMinute(const WallTime& now) {
    const int past = now.second * 1000 + now.millisecond;
    return past >= 60000 ? 1u : static_cast<std::uint32_t>(60000 - past);
}

} // namespace staywick
