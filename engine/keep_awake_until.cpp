// The controller's end set by a time of day ("Until...", "/until"). It
// follows the wall clock, not an interval: the countdown timer only says when
// to look at the clock again, and a clock change, a daylight-saving change
// and a resume from sleep are all checked against the clock itself.
#include "engine/keep_awake_controller.h"

#include "engine/activate_for_items.h"
#include "engine/clock_target.h"
#include "engine/own_length.h"
#include "engine/power_reason.h"

#include <algorithm>

namespace staywick {

namespace {
// The longest wait before the clock is read again: the clock can be moved
// without any message reaching the program (a time service, another session).
constexpr std::int64_t kUntilRecheckMs = 3600000;
} // namespace

bool KeepAwakeController::UntilRuns() const noexcept {
    return options_.Active && options_.ActivateUntil && IsMinuteOfDay(*options_.ActivateUntil) &&
           power_.clock;
}

// A MaxMinutes policy caps every session: under it, the capped countdown
// decides the end instead of the time of day.
bool KeepAwakeController::UntilDecides() const noexcept {
    return UntilRuns() && !policy_.MaxMinutes();
}

std::optional<std::int64_t> KeepAwakeController::UntilEnd() {
    if (!UntilDecides() || !options_.ActivateUntilEnd)
        return std::nullopt;
    Clock& clock = *power_.clock;
    return FirstMomentShowing(clock.WallClockMs(), *options_.ActivateUntilEnd,
                              [&clock](std::int64_t utc) { return clock.LocalWallMs(utc); });
}

bool KeepAwakeController::UntilPassed() {
    return options_.ActivateUntilEnd &&
           power_.clock->LocalWallMs(power_.clock->WallClockMs()) >= *options_.ActivateUntilEnd;
}

// Run whenever the clock is read for the end: after a clock change, at the
// hourly check, at a resume and at start, so a clock set back (also while
// the program was not running) cannot stretch the session by days.
void KeepAwakeController::SetUntilEnd() {
    Clock& clock = *power_.clock;
    const std::int64_t nowLocal = clock.LocalWallMs(clock.WallClockMs());
    std::optional<std::int64_t>& end = options_.ActivateUntilEnd;
    if (end && MinuteOfDayAt(*end) == *options_.ActivateUntil)
        end = ClockTargetAfterChange(nowLocal, *end);
    else
        end = NextClockTarget(nowLocal, *options_.ActivateUntil);
}

void KeepAwakeController::ArmUntil() {
    SetUntilEnd();
    const std::int64_t remaining = *UntilEnd() - power_.clock->WallClockMs();
    TimerCountDown.SetInterval(
        static_cast<std::uint32_t>(std::clamp<std::int64_t>(remaining, 1, kUntilRecheckMs)));
}

std::wstring KeepAwakeController::UntilText() {
    const LocalClockTime time = ClockTimeOfMinute(*options_.ActivateUntil);
    std::wstring text = power_.clock->TimeOfDayText(time);
    return text.empty() ? FormatClockTime(time) : text;
}

void KeepAwakeController::ActivateUntilClick(std::int32_t minuteOfDay) {
    if (!IsMinuteOfDay(minuteOfDay))
        return;
    SessionChosen();
    options_.Active = true;
    SetCountDownLength(options_, 0);
    options_.ActivateUntil = minuteOfDay;
    // A new choice counts from now, also when the same time is chosen again.
    options_.ActivateUntilEnd.reset();
    UpdateActiveStatus();
    ClearActivateForStatus();
    view_.SetActivateUntilChecked(true);
    saveOptions_();
}

void KeepAwakeController::SelectActivateItemAtLoad() {
    if (options_.ActivateUntil && IsMinuteOfDay(*options_.ActivateUntil)) {
        view_.SetActivateUntilChecked(true);
        return;
    }
    if (options_.ActivateForMinutes && *options_.ActivateForMinutes == options_.ActivateFor) {
        view_.SetActivateForOwnChecked(true);
        return;
    }
    options_.ActivateForMinutes.reset();
    SelectItemActivateForStatus(options_.ActivateFor);
}

void KeepAwakeController::WallClockChanged() {
    if (UntilDecides())
        TimerCountDownTimer();
}

} // namespace staywick
