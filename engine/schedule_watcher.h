#pragma once
// ScheduleWatcher: reports the schedule window the wall clock is in, looking
// at each whole minute while a day is chosen, and at once when told the clock
// changed (set by hand, daylight saving, a resume).
#include "engine/schedule_rules.h"
#include "engine/timer.h"
#include "platform/timer_port.h"

#include <functional>
#include <optional>

namespace staywick {

class ScheduleWatcher {
public:
    ScheduleWatcher(WallClock& clock, TimerPort& timer,
                    std::function<void(std::optional<LocalClockTime>)> report);

    // A new schedule: looked at at once. No day chosen stops the timer.
    void SetSchedule(const Schedule& schedule);
    void ClockChanged();

private:
    void Look();

    WallClock& clock_;
    std::function<void(std::optional<LocalClockTime>)> report_;
    Schedule schedule_;
    TTimer timer_;
};

} // namespace staywick
