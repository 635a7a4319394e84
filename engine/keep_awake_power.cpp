// The controller around sleep and resume, and the power request that says
// why the computer stays awake.
#include "engine/keep_awake_controller.h"

#include "engine/power_reason.h"
#include "engine/wake_rules.h"

namespace staywick {

void KeepAwakeController::PowerResumed(ResumeKind kind) {
    if (power_.clock) {
        const std::uint64_t now = power_.clock->MonotonicMilliseconds();
        unattended_.Resumed(kind, now - input_.GetIdleMilliseconds());
        // The countdown's window timer may not have fired for an end that
        // passed while the computer slept.
        if (options_.Active && TimerCountDown.Enabled() && countDownEnd_ && now >= *countDownEnd_) {
            TimerCountDownTimer();
            return;
        }
    }
    // The awake request is brought back as the settings say, also after an
    // automatic resume: the user asked for it, it claims no user at the
    // keyboard (only simulated key presses do that, and they wait), and the
    // system still weighs it against its own policy (lid, power button,
    // battery) and lists it with its reason.
    // Restarted, the main timer's next tick comes one forced-wake interval
    // from now, whatever phase it had before the sleep.
    TimerMain.SetEnabled(false);
    TimerMain.SetInterval(kTickAfterWakeMs);
    UpdateActiveStatus();
}

bool KeepAwakeController::ForcedWakeHeld(std::uint32_t idle) {
    if (!power_.clock)
        return false;
    return unattended_.HoldsForcedWake(power_.clock->MonotonicMilliseconds() - idle);
}

void KeepAwakeController::NoteCountDownEnd(bool wasEnabled, std::uint32_t wasInterval) {
    if (!TimerCountDown.Enabled() || !power_.clock) {
        countDownEnd_.reset();
        return;
    }
    // The timer re-arms exactly when its enabled state or interval changes;
    // otherwise it keeps its phase, and so does its end.
    if (!wasEnabled || wasInterval != TimerCountDown.Interval() || !countDownEnd_)
        countDownEnd_ = power_.clock->MonotonicMilliseconds() + TimerCountDown.Interval();
}

std::optional<LocalClockTime> KeepAwakeController::CountDownEndTime() const {
    if (!countDownEnd_)
        return std::nullopt;
    const std::uint64_t now = power_.clock->MonotonicMilliseconds();
    return power_.clock->LocalTimeIn(*countDownEnd_ > now ? *countDownEnd_ - now : 0);
}

void KeepAwakeController::HoldPowerRequest() {
    if (!power_.request)
        return;
    // A refusal is silent: the execution-state request already holds.
    power_.request->Hold(PowerRequestReason(CountDownEndTime()));
}

void KeepAwakeController::ReleasePowerRequest() {
    if (power_.request)
        power_.request->Release();
}

} // namespace staywick
