// The controller around sleep and resume, and the power request that says
// why the computer stays awake.
#include "engine/keep_awake_controller.h"

#include "engine/clock_target.h"
#include "engine/power_reason.h"
#include "engine/tick_lines.h"
#include "engine/wake_rules.h"

namespace staywick {

void KeepAwakeController::PowerSuspending() {
    suspended_ = true;
    TimerMain.SetEnabled(false);
}

void KeepAwakeController::PowerResumed(ResumeKind kind) {
    suspended_ = false;
    if (power_.clock) {
        const std::uint64_t now = power_.clock->MonotonicMilliseconds();
        unattended_.Resumed(kind, now - input_.GetIdleMilliseconds());
        if (kind == ResumeKind::Automatic)
            holdLogged_ = false;
        // The countdown's window timer may not have fired for an end that
        // passed while the computer slept; an end set by a time is read off
        // the wall clock.
        const bool ended = UntilDecides() ? UntilPassed()
                                          : options_.Active && TimerCountDown.Enabled() &&
                                                countDownEnd_ && now >= *countDownEnd_;
        if (ended) {
            EndCountDown(SessionEnd::WhileAway);
            return;
        }
    }
    // After an automatic resume neither the execution-state request nor the
    // power request is held: Windows sends a computer that woke unattended
    // back to sleep after its unattended idle time (2 minutes) only when no
    // program says that the system is required. Both come back with real
    // input, seen by the tick, or with PBT_APMRESUMESUSPEND.
    // Restarted, the main timer's next tick comes one forced-wake interval
    // from now, whatever phase it had before the sleep.
    TimerMain.SetEnabled(false);
    TimerMain.SetInterval(kTickAfterWakeMs);
    UpdateActiveStatus();
    ReArmCountDownAtItsEnd();
}

// Window timers may not count the time asleep, so the countdown would end
// late by the whole sleep; its end on the monotonic clock is what counts.
void KeepAwakeController::ReArmCountDownAtItsEnd() {
    if (!power_.clock || !countDownEnd_ || !TimerCountDown.Enabled())
        return;
    const std::uint64_t now = power_.clock->MonotonicMilliseconds();
    if (*countDownEnd_ > now)
        TimerCountDown.FireIn(static_cast<std::uint32_t>(*countDownEnd_ - now));
}

bool KeepAwakeController::ForcedWakeHeld(std::uint32_t idle) {
    if (!power_.clock)
        return false;
    return unattended_.HoldsForcedWake(power_.clock->MonotonicMilliseconds() - idle);
}

// The tick while the unattended hold lasts. Input ends the hold: both
// requests come back and the tick goes on as any other (false). Otherwise it
// only polls, every kHoldPollMs, and its log lines are written once for the
// whole hold, as the decision does not change from one poll to the next.
bool KeepAwakeController::HeldTick(std::int32_t limit) {
    const std::uint32_t idle = input_.GetIdleMilliseconds();
    if (!ForcedWakeHeld(idle)) {
        const KeepAwakeDecision decision = Decision();
        if (decision.on && Effective().NotifySystem)
            HoldAwakeRequests(decision.display);
        return false;
    }
    const std::int32_t candidate = NextIntervalCandidate(limit, idle);
    TimerMain.SetInterval(kHoldPollMs);
    if (TimerDebug.Enabled())
        diagnostics_.DebugWrite(DebugIntervalLine(TimerMain.Interval()));
    if (diagnostics_.LogEnabled() && !holdLogged_) {
        // Set first: a log that cannot be written is reported once, not at
        // every poll.
        holdLogged_ = true;
        diagnostics_.AppendLog(TickOpeningLine());
        diagnostics_.AppendLog(TickIdleLine(idle));
        diagnostics_.AppendLog(TickLimitLine(limit));
        diagnostics_.AppendLog(LogIdleLine(idle));
        diagnostics_.AppendLog(LogCandidateLine(candidate));
        diagnostics_.AppendLog(LogIntervalLine(TimerMain.Interval()));
    }
    return true;
}

void KeepAwakeController::NoteCountDownEnd(bool wasEnabled, std::uint32_t wasInterval) {
    if (!TimerCountDown.Enabled() || !power_.clock) {
        countDownEnd_.reset();
        countDownStart_.reset();
        return;
    }
    // The timer re-arms exactly when its enabled state or interval changes;
    // otherwise it keeps its phase, and so does its end.
    if (!wasEnabled || wasInterval != TimerCountDown.Interval() || !countDownEnd_) {
        countDownStart_ = power_.clock->MonotonicMilliseconds();
        countDownEnd_ = *countDownStart_ + TimerCountDown.Interval();
    }
}

void KeepAwakeController::HoldAwakeRequests(bool display) {
    RequestAwakeState(display);
    HoldPowerRequest(display);
}

void KeepAwakeController::ReleaseAwakeRequests() {
    input_.ReleaseAwakeState();
    if (power_.request)
        power_.request->Release();
}

std::optional<LocalClockTime> KeepAwakeController::CountDownEndTime() const {
    if (UntilDecides())
        return ClockTimeOfMinute(*options_.ActivateUntil);
    if (!countDownEnd_)
        return std::nullopt;
    const std::uint64_t now = power_.clock->MonotonicMilliseconds();
    return power_.clock->LocalTimeIn(*countDownEnd_ > now ? *countDownEnd_ - now : 0);
}

void KeepAwakeController::HoldPowerRequest(bool display) {
    if (!power_.request)
        return;
    // A refusal is silent: the execution-state request already holds.
    const std::wstring reason = PowerRequestReason(CountDownEndTime());
    if (display) {
        power_.request->Hold(reason);
    } else {
        power_.request->HoldSystem(reason);
    }
}

} // namespace staywick
