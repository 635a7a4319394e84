#include "engine/schedule_watcher.h"

namespace staywick {

ScheduleWatcher::ScheduleWatcher(WallClock& clock, TimerPort& timer,
                                 std::function<void(std::optional<LocalClockTime>)> report)
    : clock_(clock), report_(std::move(report)), timer_(timer, false, 60000, [this] { Look(); }) {}

void ScheduleWatcher::SetSchedule(const Schedule& schedule) {
    schedule_ = schedule;
    Look();
}

void ScheduleWatcher::ClockChanged() {
    Look();
}

void ScheduleWatcher::Look() {
    if ((schedule_.days & 127) == 0) {
        timer_.SetEnabled(false);
        report_(std::nullopt);
        return;
    }
    const WallTime now = clock_.Now();
    // Aimed at the next whole minute every time, so a timer that fires a
    // little early or late, or a clock that jumped, never adds up.
    timer_.SetInterval(MillisecondsToNextMinute(now));
    timer_.SetEnabled(true);
    report_(ScheduledUntil(schedule_, now));
}

} // namespace staywick
