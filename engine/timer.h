#pragma once
// TTimer: a periodic timer with the component contract the controller,
// the Options dialog and the debug line rely on:
//  - assigning Enabled or Interval its current value does nothing (phase kept);
//  - a different value re-arms: the platform timer is stopped and, if enabled
//    with a non-zero interval, started afresh one full interval from now;
//  - no tick ever fires at once;
//  - a platform refusal throws AppError "Not enough timers available"; the
//    property keeps the value just assigned.
#include "platform/timer_port.h"

#include <cstdint>
#include <functional>

namespace staywick {

class TTimer {
public:
    // Starts the platform timer at once when `enabled` (may throw AppError).
    TTimer(TimerPort& port, bool enabled, std::uint32_t interval,
           std::function<void()> onTimer = {});
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    std::uint32_t Interval() const noexcept { return interval_; }
    void SetInterval(std::uint32_t value);

    // The next expiry comes `ms` from now instead of one interval from now;
    // the ones after it follow at the interval again. Nothing happens while
    // the timer is stopped. A refusal throws AppError as above.
    void FireIn(std::uint32_t ms);

    // The handler run on every tick; a timer without one still runs.
    void SetOnTimer(std::function<void()> onTimer) { onTimer_ = std::move(onTimer); }

private:
    void UpdateTimer();
    void Fire();

    TimerPort& port_;
    bool enabled_;
    std::uint32_t interval_;
    std::function<void()> onTimer_;
    // Armed by FireIn at another time than the interval.
    bool shifted_ = false;
};

} // namespace staywick
