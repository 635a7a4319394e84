// The controller's state: the user's clicks, the countdown's end, start-up
// and the policies. The tick is in keep_awake_tick.cpp, the status shown in
// keep_awake_status.cpp.
#include "engine/keep_awake_controller.h"

#include "common/first_error.h"
#include "engine/activate_for_items.h"
#include "engine/own_length.h"
#include "engine/policy_rules.h"
#include "engine/wake_rules.h"

namespace staywick {

namespace {
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
    EndCountDown(CountDownEndKind());
}

// The action comes before the save: a refused write must not keep the
// computer from the end the user asked for.
void KeepAwakeController::EndCountDown(SessionEnd how) {
    options_.Active = false;
    options_.AutoStopped = true;
    UpdateActiveStatus();
    EndedByItself(how);
    saveOptions_();
}

// The click inverts what the user sees checked: keep-awake wanted by the user
// or by an automatic reason. Switching off while a reason holds overrules
// that reason until it ends; the user's "off" wins.
void KeepAwakeController::MnuActiveClick() {
    SessionChosen();
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
    SessionChosen();
    options_.Active = true;
    SetCountDownLength(options_, static_cast<std::int32_t>(kActivateForTags[position]));
    options_.ActivateUntil.reset();
    UpdateActiveStatus();
    ClearActivateForStatus();
    view_.SetActivateForChecked(position, true);
    saveOptions_();
}

void KeepAwakeController::ActivateForMinutesClick(std::int32_t minutes) {
    SessionChosen();
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
    facts.lidClosedAwake = Effective().LidClosedAwake;
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
        // An end set by a time counts from now, and is saved with the rest.
        options_.ActivateUntilEnd.reset();
        if (UntilDecides())
            SetUntilEnd();
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
    errors.Run([this] {
        // An end set by a time that passed while the program was not running
        // ends the session now, as it would have ended it then.
        if (UntilDecides() && UntilPassed())
            EndCountDown(SessionEnd::WhileAway);
        else
            UpdateActiveStatus();
    });
    if (Decision().on)
        errors.Run([this] { TimerMainTimer(); });
    errors.RaiseIfAny();
}

void KeepAwakeController::OptionsConfirmed(bool notifySystemWasOn) {
    if (notifySystemWasOn && !Effective().NotifySystem)
        ReleaseAwakeRequests();
    saveOptions_();
    TimerMain.SetInterval(kTickAfterWakeMs);
    if (Effective().KeepDisplayOn != appliedKeepDisplayOn_ ||
        Effective().LidClosedAwake != appliedLidClosedAwake_)
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
    if (lid_)
        lid_->Restore();
}

} // namespace staywick
