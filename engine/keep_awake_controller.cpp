#include "engine/keep_awake_controller.h"

#include "common/decimal_text.h"
#include "common/first_error.h"
#include "engine/active_caption.h"
#include "engine/activate_for_items.h"
#include "engine/own_length.h"
#include "engine/policy_rules.h"
#include "engine/power_reason.h"
#include "engine/tick_lines.h"
#include "engine/wake_rules.h"

#include <algorithm>

namespace staywick {

namespace {
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uintptr_t kScScreenSave = 0xF140;
constexpr std::uintptr_t kScMonitorPower = 0xF170;
constexpr std::uint32_t kTimerStartInterval = 5000;
} // namespace

KeepAwakeController::KeepAwakeController(TStaywickOptions& options, KeepAwakeView& view,
                                         InputPower& input, TickDiagnostics& diagnostics,
                                         std::function<void()> saveOptions,
                                         KeepAwakeTimerPorts ports, KeepAwakePowerPorts power,
                                         AutomaticKeepAwake* automatic)
    : TimerMain(ports.main, true, kTimerStartInterval, [this] { TimerMainTimer(); }),
      TimerCountDown(ports.countDown, false, kTimerStartInterval,
                     [this] { TimerCountDownTimer(); }),
      TimerDebug(ports.debug, false, kTimerStartInterval), options_(options), view_(view),
      input_(input), diagnostics_(diagnostics), saveOptions_(std::move(saveOptions)), power_(power),
      automatic_(automatic) {}

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

TStaywickOptions KeepAwakeController::Effective() const {
    return EffectiveOptions(options_, policy_);
}

void KeepAwakeController::TimerCountDownTimer() {
    // An end set by a time is checked against the wall clock: the timer only
    // says when to look again.
    if (UntilDecides() && !UntilPassed()) {
        ArmUntil();
        return;
    }
    EndCountDown();
}

void KeepAwakeController::EndCountDown() {
    options_.Active = false;
    options_.AutoStopped = true;
    UpdateActiveStatus();
    saveOptions_();
}

// The click inverts what the user sees checked: keep-awake wanted by the user
// or by an automatic reason. Switching off while a reason holds overrules
// that reason until it ends; the user's "off" wins.
void KeepAwakeController::MnuActiveClick() {
    if (Decision().Wanted()) {
        options_.Active = false;
        if (automatic_)
            automatic_->SwitchedOff();
        // A one-shot the user switched off is over, as a countdown is.
        if (oneShot_)
            oneShot_->Stop();
    } else {
        options_.Active = true;
        options_.AutoStopped = false;
        if (automatic_)
            automatic_->SwitchedOn();
    }
    UpdateActiveStatus();
    saveOptions_();
}

void KeepAwakeController::Indefinitely1Click(std::size_t position) {
    if (position >= kActivateForTags.size())
        return;
    options_.Active = true;
    SetCountDownLength(options_, static_cast<std::int32_t>(kActivateForTags[position]));
    options_.ActivateUntil.reset();
    UpdateActiveStatus();
    ClearActivateForStatus();
    view_.SetActivateForChecked(position, true);
    saveOptions_();
}

// The countdown follows the user's own state; the tick and the requests
// follow the rule, which also weighs the automatic reasons and the pauses.
void KeepAwakeController::UpdateActiveStatus() {
    if (halted_)
        return; // turned off by policy: nothing comes back on
    const KeepAwakeDecision decision = Decision();
    const bool countDownWasEnabled = TimerCountDown.Enabled();
    const std::uint32_t countDownWasInterval = TimerCountDown.Interval();
    const bool notifySystem = Effective().NotifySystem;
    appliedKeepDisplayOn_ = Effective().KeepDisplayOn;
    view_.SetKeepDisplayOn(appliedKeepDisplayOn_, policy_.AllowKeepDisplayOn());
    // A MaxMinutes policy ends every session the user starts, as a countdown
    // of that length.
    const std::int32_t countDownMinutes =
        CappedSessionMinutes(options_.ActivateFor, policy_.MaxMinutes());
    view_.SetStatusChecked(decision.Wanted());
    // Asleep, the tick waits for the resume message (PowerSuspending).
    TimerMain.SetEnabled(decision.on && !suspended_);
    const bool until = UntilDecides();
    if (!until)
        untilTargetLocal_.reset();
    TimerCountDown.SetEnabled(countDownMinutes > 0 || until);
    // After an unattended wake, nobody is there to be kept awake for.
    const bool hold = decision.on && notifySystem && !unattended_.Holding();
    if (options_.Active) {
        if (hold)
            RequestAwakeState(decision.display);
        if (until)
            ArmUntil();
        else
            TimerCountDown.SetInterval(CountDownMilliseconds(countDownMinutes));
        NoteCountDownEnd(countDownWasEnabled, countDownWasInterval);
    } else {
        // Step above may have started the countdown; it is stopped before any
        // message can be handled, so no tick comes of it.
        TimerCountDown.SetEnabled(false);
        NoteCountDownEnd(countDownWasEnabled, countDownWasInterval);
        if (hold)
            RequestAwakeState(decision.display);
    }
    if (hold) {
        HoldPowerRequest(decision.display);
    } else if (notifySystem) {
        ReleaseAwakeRequests();
    }
    // An automatic reason or a pause says why; else the user's own state.
    std::wstring caption = AutomaticCaption(decision, Facts());
    if (caption.empty())
        caption = until ? ActiveCaption(L"until " + UntilText(), !appliedKeepDisplayOn_)
                        : StatusCaption(countDownMinutes);
    caption_ = caption;
    view_.SetStatusCaption(caption);
    view_.SetTrayTip(caption);
    TimerMain.SetInterval(kTickAfterWakeMs);
    view_.UpdateTrayIcon(GetTrayIcon());
}

// The chosen duration while it decides the end; the time of day the session
// ends when a MaxMinutes policy cuts it shorter (its length without a clock),
// or when the duration's text would round it (an own length of 90 minutes
// is no "1 hours").
std::wstring KeepAwakeController::StatusCaption(std::int32_t countDownMinutes) const {
    if (!options_.Active)
        return L"&Staywick is disabled";
    const bool displayMaySleep = !Effective().KeepDisplayOn;
    if (!TimerCountDown.Enabled())
        return ActiveCaption({}, displayMaySleep);
    const bool exact = countDownMinutes < 60 || countDownMinutes % 60 == 0;
    if (countDownMinutes == options_.ActivateFor && exact)
        return ActiveCaption(FormatDuration(options_.ActivateFor), displayMaySleep);
    if (const auto end = CountDownEndTime())
        return ActiveCaption(L"until " + FormatClockTime(*end), displayMaySleep);
    return ActiveCaption(FormatDuration(countDownMinutes), displayMaySleep);
}

std::wstring KeepAwakeController::FormatDuration(std::int32_t minutes) {
    const std::int32_t hours = minutes / 60; // truncates toward zero
    if (hours == 0)
        return DecimalText(minutes) + L" minutes";
    return DecimalText(hours) + L" hours";
}

void KeepAwakeController::ClearActivateForStatus() {
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        view_.SetActivateForChecked(i, false);
    }
    view_.SetActivateUntilChecked(false);
    view_.SetActivateForOwnChecked(false);
}

void KeepAwakeController::CheckLengthItem(std::int32_t minutes) {
    if (IsOwnLength(minutes)) {
        view_.SetActivateForOwnChecked(true);
        return;
    }
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        if (i != kActivateForSeparator && kActivateForTags[i] == minutes)
            view_.SetActivateForChecked(i, true);
    }
}

void KeepAwakeController::ActivateForMinutesClick(std::int32_t minutes) {
    options_.Active = true;
    SetCountDownLength(options_, minutes);
    options_.ActivateUntil.reset();
    UpdateActiveStatus();
    ClearActivateForStatus();
    CheckLengthItem(minutes);
    saveOptions_();
}

void KeepAwakeController::KeepDisplayOnClick() {
    if (!policy_.AllowKeepDisplayOn())
        return;
    options_.KeepDisplayOn = !options_.KeepDisplayOn;
    UpdateActiveStatus();
    saveOptions_();
}

void KeepAwakeController::SelectItemActivateForStatus(std::int32_t aValue) {
    bool found = false;
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        if (kActivateForTags[i] == std::int64_t{aValue}) {
            view_.SetActivateForChecked(i, true);
            found = true;
        }
    }
    if (!found) {
        view_.SetActivateForChecked(kActivateForIndefinitely, true);
        options_.ActivateFor = 0;
        saveOptions_();
    }
}

std::int32_t KeepAwakeController::GetTrayIcon() const {
    return Decision().on ? 1 : 0;
}

KeepAwakeDecision KeepAwakeController::Decision() const {
    return DecideKeepAwake(Facts());
}

// With AllowAutomatic = 0 the rule hears of no automatic reason; the pauses
// still apply to what the user switched on.
KeepAwakeFacts KeepAwakeController::Facts() const {
    KeepAwakeFacts facts{.manualOn = options_.Active};
    if (automatic_)
        facts = automatic_->Facts(options_.Active);
    if (!policy_.AllowAutomatic())
        facts.reasons = {};
    facts.keepDisplayOn = Effective().KeepDisplayOn;
    return facts;
}

void KeepAwakeController::RequestAwakeState(bool display) {
    if (display) {
        input_.RequestAwakeState();
    } else {
        input_.RequestSystemAwakeState();
    }
}

void KeepAwakeController::ResumeIfAutoStopped() {
    if (!options_.Active && options_.AutoStopped) {
        options_.Active = true;
        options_.AutoStopped = false;
        saveOptions_();
    }
}

// Each step runs even when one before it failed: a refused write of the
// resumption must not leave the timers, the awake request and the tray out of
// step with the record (TimerMain ticking while off, no status, no countdown).
// The record keeps what the resumption chose. The first failure is raised at
// the end, when everything shows the true state.
void KeepAwakeController::Start() {
    FirstError errors;
    errors.Run([this] { ResumeIfAutoStopped(); });
    errors.Run([this] { UpdateActiveStatus(); });
    if (Decision().on)
        errors.Run([this] { TimerMainTimer(); });
    errors.RaiseIfAny();
}

void KeepAwakeController::OptionsConfirmed(bool notifySystemWasOn) {
    if (notifySystemWasOn && !Effective().NotifySystem)
        ReleaseAwakeRequests();
    saveOptions_();
    TimerMain.SetInterval(kTickAfterWakeMs);
    if (Effective().KeepDisplayOn != appliedKeepDisplayOn_)
        UpdateActiveStatus();
}

void KeepAwakeController::SetPolicy(const StaywickPolicy& policy) {
    policy_ = policy;
    ApplyActivateForItems();
}

void KeepAwakeController::PolicyChanged(const StaywickPolicy& policy) {
    const bool notifySystemWasOn = Effective().NotifySystem;
    SetPolicy(policy);
    if (notifySystemWasOn && !Effective().NotifySystem)
        ReleaseAwakeRequests();
    UpdateActiveStatus();
}

void KeepAwakeController::Halt() {
    halted_ = true;
    TimerMain.SetEnabled(false);
    TimerCountDown.SetEnabled(false);
    ReleaseAwakeRequests();
}

void KeepAwakeController::ApplyActivateForItems() {
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        if (i != kActivateForSeparator)
            view_.SetActivateForEnabled(
                i, ActivateForAllowed(kActivateForTags[i], policy_.MaxMinutes()));
    }
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
