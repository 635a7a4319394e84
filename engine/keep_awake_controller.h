#pragma once
// The keep-awake controller: the tick that re-aims TimerMain at the moment
// the idle limit would be reached and forces a wake there, the on/off and
// "Activate for" countdown states, and the status shown in the tray.
// Everything runs on the GUI thread; the forced wake processes pending
// messages in its middle, so other handlers may run inside a tick.
#include "engine/automatic_keep_awake.h"
#include "engine/keep_awake_seams.h"
#include "engine/lid_override.h"
#include "engine/one_shot_waiter.h"
#include "engine/remote_command.h"
#include "engine/policy.h"
#include "engine/resume_rules.h"
#include "engine/session_ends.h"
#include "engine/staywick_options.h"
#include "engine/timer.h"
#include "platform/clock.h"
#include "platform/input_power.h"
#include "platform/power_request.h"
#include "platform/timer_port.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace staywick {

// One platform timer port for each of the controller's timers.
struct KeepAwakeTimerPorts {
    TimerPort& main;
    TimerPort& countDown;
    TimerPort& debug;
};

// The clock and the power request. Without a clock, resume finds no
// countdown end and holds back no forced wake; without a power request, the
// execution-state call alone carries the awake request.
struct KeepAwakePowerPorts {
    Clock* clock = nullptr;
    PowerRequest* request = nullptr;
};

class KeepAwakeController {
public:
    // `saveOptions` writes the record whole; it may throw AppError, which ends
    // the operation that called it. TimerMain starts at once (5000 ms).
    KeepAwakeController(TStaywickOptions& options, KeepAwakeView& view, InputPower& input,
                        TickDiagnostics& diagnostics, std::function<void()> saveOptions,
                        KeepAwakeTimerPorts ports, KeepAwakePowerPorts power = {},
                        AutomaticKeepAwake* automatic = nullptr);
    KeepAwakeController(const KeepAwakeController&) = delete;
    KeepAwakeController& operator=(const KeepAwakeController&) = delete;

    // The tick.
    void TimerMainTimer();
    // End of an "Activate for" period.
    void TimerCountDownTimer();
    // The status item or a double click on the tray icon.
    void MnuActiveClick();
    // An "Activate for" item, by its position in kActivateForTags.
    void Indefinitely1Click(std::size_t position);
    // "Until..." (or "/until"): on until the next time the wall clock shows
    // `minuteOfDay` (0..1439); the "Until..." item alone carries the check
    // mark. Like an "Activate for" item it leaves AutoStopped as it is.
    void ActivateUntilClick(std::int32_t minuteOfDay);
    // "For..." (or "/for"): on for `minutes` (1..1440), checking the item of
    // that length, or "For..." when no item has it. Like an "Activate for"
    // item it leaves AutoStopped as it is.
    void ActivateForMinutesClick(std::int32_t minutes);
    // "&Keep the display on": inverts KeepDisplayOn, saved; the requests and
    // key presses follow at once. Nothing while a policy decides.
    void KeepDisplayOnClick();
    void UpdateActiveStatus();
    // Every "&Activate for" check mark off, "Until..." included.
    void ClearActivateForStatus();
    // Run once at the end of loading the settings.
    void SelectItemActivateForStatus(std::int32_t aValue);
    // At the end of loading: "Until..." checked when an end time is set,
    // "For..." for a length of the user's own, else
    // SelectItemActivateForStatus(ActivateFor).
    void SelectActivateItemAtLoad();
    // The wall clock was set or the time zone changed: an end set by a time
    // follows the clock, so it ends now if the clock has passed it, and one
    // more than a day ahead becomes the next time the clock shows it.
    void WallClockChanged();

    // The waiter of "While a program runs..." and "/while", once the
    // watchers exist; without one no program can be waited for.
    void SetOneShotWaiter(OneShotWaiter* waiter) noexcept { oneShot_ = waiter; }
    // The lid-close action, held at "do nothing" while keep-awake is on and
    // LidClosedAwake applies (each status update brings it in step); without
    // one the lid action is never changed.
    void SetLidOverride(LidOverride* lid) noexcept { lid_ = lid; }
    // "While a program runs..." (or "/while"): keep-awake until the target's
    // program ends, as an automatic reason that is not saved. It replaces an
    // earlier one-shot and ends the user's own "on" (saved), so the program's
    // end decides, as choosing "Until..." ends a countdown. Returns the line
    // that says why nothing changed (policy, no such process), or nothing.
    std::wstring WhileProgramClick(const OneShotTarget& target);

    // Commands for the running instance (keep_awake_commands.cpp). Each one
    // but "/toggle" leaves a state that already is what it asks for alone:
    // nothing changes and nothing is saved. Returns the exit code; "/exit"
    // is the caller's to carry out.
    int ApplyCommand(const RemoteCommand& command);
    // The exit code and the line for the commanding process: the status
    // line, or why "/while" changed nothing. Under the Disabled policy every
    // command is refused (kExitDisabled) and changes nothing. Each change is
    // saved last, so when an error (AppError) ends a command, the change is
    // in force and only its save is missing, as after the same tray choice.
    struct CommandAnswer {
        int code = kExitDone;
        std::wstring line;
    };
    CommandAnswer AnswerCommand(const RemoteCommand& command);
    // 0 off, 1 on indefinitely (or by an automatic reason), 2 on with an end.
    int StatusCode() const;
    // The status caption without its ampersand, and the end time if there is
    // one: "Staywick is active (30 minutes), ends at 14:30".
    std::wstring StatusLine();
    // When an end set by a time falls, on the wall clock (UTC ms since 1970).
    std::optional<std::int64_t> UntilEnd();
    // 1 while keep-awake is really on (not paused), else 0.
    std::int32_t GetTrayIcon() const;
    // The rule's answer for the manual state and the automatic facts.
    KeepAwakeDecision Decision() const;
    // At start: keep-awake comes back on after a countdown stopped it.
    void ResumeIfAutoStopped();
    // Start-up once the message loop runs: the resumption rule, an end set
    // by a time that passed while the program was not running ends the
    // session as it would have then, timers, awake request and status in
    // step, and one tick at once when active.
    // A step that fails does not stop the later ones; the first failure is
    // raised once all have run.
    void Start();
    // After OK in the Options dialog changed the record: the awake request is
    // released when "Notify the system" was in force before (as the policies
    // made it) and is no longer, the record saved,
    // and TimerMain re-armed one forced-wake interval (5000 ms) from now.
    // A changed "Keep the display on" brings the requests in step at once,
    // and so does a changed LidClosedAwake the lid-close action.
    void OptionsConfirmed(bool notifySystemWasOn);
    // The policies in force, before Start: the "Activate for" items longer
    // than a MaxMinutes cap are disabled.
    void SetPolicy(const StaywickPolicy& policy);
    // Policies read again while running: the awake request is released when
    // it is no longer asked for, then timers, request and status follow the
    // new values. A new cap counts from now.
    void PolicyChanged(const StaywickPolicy& policy);
    const StaywickPolicy& Policy() const noexcept { return policy_; }
    // Turned off by policy while the program still shows why: the timers
    // stop, the awake and power requests are released, and no tick runs any
    // more (the hook still swallows the screen-saver commands). The record
    // is left as it is; the lid-close action is put back.
    void Halt();

    // The application-wide hook: swallows the screen-saver and monitor-power
    // system commands (in every state) and runs a tick for them.
    void OnAppMessage(std::uint32_t message, std::uintptr_t wParam, bool& handled);
    // The system is about to sleep (PBT_APMSUSPEND): TimerMain stops, and no
    // tick runs until a resume message decides, since the idle time read
    // after the wake includes the whole sleep.
    void PowerSuspending();
    // Resume from sleep or hibernation. A countdown that ran out while the
    // computer slept ends now, as its timer would have ended it; one still
    // running is re-armed at its end. Timers, awake request and status are
    // brought in step and the next tick comes one forced-wake interval
    // (5000 ms) from now. After an automatic resume, forced wakes and the
    // awake requests wait for real input (engine/resume_rules.h).
    void PowerResumed(ResumeKind kind);

    static std::wstring FormatDuration(std::int32_t minutes);

    // The end of a session (keep_awake_ends.cpp). Without SessionEnds no
    // action, warning or "Extend" item exists.
    void SetSessionEnds(SessionEnds* ends);
    // A session with an end: a countdown (a MaxMinutes cap's included) or
    // an end set by a time.
    bool HasEnd() const;
    // "Extend by 1 hour", "/extend" and a click on the warning balloon: the
    // end moves `minutes` later, never past a MaxMinutes cap nor beyond 24
    // hours of session (a countdown stays a length "/for" can have). A
    // countdown keeps the length it now has (saved, so a restart runs it
    // afresh, as any countdown), its item checked when one has that length,
    // "For..." otherwise; an end set by a time moves to the new time
    // (saved). The caption shows the new end. False when nothing has an end.
    bool ExtendClick(std::int32_t minutes);
    // "When it ends": the action for every session's end, saved as EndAction.
    // Nothing while a policy forbids it.
    void EndActionClick(EndAction action);
    // "/then" for the session the command just started or kept.
    void SetSessionEndAction(EndAction action) { sessionAction_ = action; }
    // The one-shot's program ended by itself.
    void OneShotEnded();
    // Before the tray menu opens: "When it ends" as chosen, hibernation
    // offered only where the system has it (asked once, on first use).
    void ShowEndActionChoice();

    // Debug mode is TimerDebug's enabled state; its handler is the debug
    // window's idle line.
    TTimer TimerMain;
    TTimer TimerCountDown;
    TTimer TimerDebug;

private:
    void WriteLog(const std::wstring& line);
    void ReAim(std::int32_t limit);
    void ForceWake();
    // At the limit when the policy forbids simulated input.
    void SkipWake(std::int32_t limit);
    // The record as the policies make it (engine/policy_rules.h).
    TStaywickOptions Effective() const;
    void ApplyActivateForItems();
    void ApplyLidOverride(const KeepAwakeDecision& decision);
    std::wstring StatusCaption(std::int32_t countDownMinutes) const;
    // The chosen length's item checked: the matching "Activate for" item, or
    // "For..." for a length of the user's own.
    void CheckLengthItem(std::int32_t minutes);
    // Sleep and resume, and the power request (keep_awake_power.cpp).
    bool ForcedWakeHeld(std::uint32_t idle);
    bool HeldTick(std::int32_t limit);
    void NoteCountDownEnd(bool wasEnabled, std::uint32_t wasInterval);
    void ReArmCountDownAtItsEnd();
    // `display` false: the system request alone, the display may sleep.
    void RequestAwakeState(bool display);
    void HoldAwakeRequests(bool display);
    void ReleaseAwakeRequests();
    // The local time the running countdown ends; nothing without one or a clock.
    std::optional<LocalClockTime> CountDownEndTime() const;
    void HoldPowerRequest(bool display);
    // What the rule weighs; no automatic reason where a policy forbids them.
    KeepAwakeFacts Facts() const;
    // The end set by a time (keep_awake_until.cpp).
    bool UntilRuns() const noexcept;
    bool UntilDecides() const noexcept;
    bool UntilPassed();
    // Fixes the end in the record: the next time the clock shows the time
    // for a new session, else the one set, unless the clock went back.
    void SetUntilEnd();
    void ArmUntil();
    void EndCountDown(SessionEnd how);
    // Session ends (keep_awake_ends.cpp).
    void SessionChosen();
    SessionEnd CountDownEndKind() const;
    void EndedByItself(SessionEnd how);
    std::optional<std::uint64_t> SessionEndMs();
    void FollowSessionEnd();
    void WarningDue();
    bool CanHibernate();
    bool ExtendCountDown(std::int32_t minutes);
    void ExtendUntil(std::int32_t minutes);
    // The end time in the user's clock format.
    std::wstring UntilText();

    TStaywickOptions& options_;
    KeepAwakeView& view_;
    InputPower& input_;
    TickDiagnostics& diagnostics_;
    std::function<void()> saveOptions_;
    KeepAwakePowerPorts power_;
    AutomaticKeepAwake* automatic_;
    OneShotWaiter* oneShot_ = nullptr;
    LidOverride* lid_ = nullptr;
    StaywickPolicy policy_;
    bool halted_ = false;
    UnattendedWakeRule unattended_;
    // Between PBT_APMSUSPEND and the next resume message.
    bool suspended_ = false;
    // The hold's polling tick has written its log lines.
    bool holdLogged_ = false;
    // When the running countdown ends, on the monotonic clock.
    std::optional<std::uint64_t> countDownEnd_;
    std::wstring caption_;
    // The display mode the requests were last brought in step with.
    bool appliedKeepDisplayOn_ = true;
    // The LidClosedAwake the lid-close action was last brought in step with.
    std::int32_t appliedLidClosedAwake_ = 0;
    SessionEnds* ends_ = nullptr;
    // "/then" for the session now running, which a new choice forgets.
    std::optional<EndAction> sessionAction_;
    // The countdown was extended: the caption shows its end.
    bool extended_ = false;
    // When the running countdown was armed, on the monotonic clock.
    std::optional<std::uint64_t> countDownStart_;
    std::optional<bool> canHibernate_;
};

} // namespace staywick
