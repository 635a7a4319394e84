// The controller's tick: TimerMain re-aimed at the moment the idle limit
// would be reached, and a forced wake there (or none, where a policy forbids
// simulated input); the screen-saver commands run a tick too.
#include "engine/keep_awake_controller.h"

#include "engine/policy.h"
#include "engine/policy_rules.h"
#include "engine/tick_lines.h"
#include "engine/wake_rules.h"

#include <algorithm>

namespace staywick {

namespace {
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;
constexpr std::uintptr_t kScMonitorPower = 0xF170;
} // namespace

void KeepAwakeController::WriteLog(const std::wstring& line) {
    if (diagnostics_.LogEnabled())
        diagnostics_.AppendLog(line);
}

void KeepAwakeController::TimerMainTimer() {
    if (halted_ || suspended_)
        return;
    const std::int32_t limit = IdleLimitMilliseconds(Effective().SleepMax);
    if (unattended_.Holding() && HeldTick(limit))
        return;
    if (diagnostics_.LogEnabled()) {
        // A line that cannot be written ends the tick here, before any decision.
        diagnostics_.AppendLog(TickOpeningLine());
        diagnostics_.AppendLog(TickIdleLine(input_.GetIdleMilliseconds()));
        diagnostics_.AppendLog(TickLimitLine(limit));
    }
    const std::uint32_t idle = input_.GetIdleMilliseconds();
    if (IdleReachedLimit(idle, limit) && !ForcedWakeHeld(idle)) {
        if (PressesKeys(Effective(), policy_))
            ForceWake();
        else
            SkipWake(limit);
    } else {
        ReAim(limit);
    }
}

void KeepAwakeController::ReAim(std::int32_t limit) {
    // A fresh idle reading: the opening lines may have taken a while.
    const std::int32_t candidate = NextIntervalCandidate(limit, input_.GetIdleMilliseconds());
    TimerMain.SetInterval(IntervalToSet(candidate));
    if (TimerDebug.Enabled())
        diagnostics_.DebugWrite(DebugIntervalLine(TimerMain.Interval()));
    if (diagnostics_.LogEnabled()) {
        diagnostics_.AppendLog(LogIdleLine(input_.GetIdleMilliseconds()));
        diagnostics_.AppendLog(LogCandidateLine(candidate));
        diagnostics_.AppendLog(LogIntervalLine(TimerMain.Interval()));
    }
}

void KeepAwakeController::ForceWake() {
    input_.ForceForegroundOnDesktop();
    input_.Sleep(50);
    // Handlers run here (menu clicks, the countdown's end, the hook's tick);
    // the steps below read the record afresh afterwards.
    input_.ProcessMessages();
    input_.SimulateKeyPress(Effective().InputKey);
    input_.Sleep(50);
    input_.SimulateKeyPress(Effective().InputKey);
    if (power_.clock)
        unattended_.OwnInputAt(power_.clock->MonotonicMilliseconds());
    if (TimerDebug.Enabled())
        diagnostics_.DebugWrite(ForcedWakeLine());
    WriteLog(ForcedWakeLine());
    TimerMain.SetInterval(kTickAfterWakeMs);
}

// No key is pressed; the awake request holds the computer. The next tick
// comes one idle limit later (at least one forced-wake interval), not every
// few seconds while nobody is there.
void KeepAwakeController::SkipWake(std::int32_t limit) {
    const std::wstring line =
        policy_.AllowSimulatedInput() ? DisplayMaySleepNoPressLine() : PolicyNoPressLine();
    if (TimerDebug.Enabled())
        diagnostics_.DebugWrite(line);
    WriteLog(line);
    TimerMain.SetInterval(
        std::max(static_cast<std::uint32_t>(std::max(limit, 0)), kTickAfterWakeMs));
}

void KeepAwakeController::OnAppMessage(std::uint32_t message, std::uintptr_t wParam,
                                       bool& handled) {
    if (message != kWmSysCommand)
        return;
    // Compared whole: the low four bits are not masked off.
    if (wParam == kScScreenSave || wParam == kScMonitorPower) {
        handled = true;
        TimerMainTimer();
    }
}

} // namespace staywick
