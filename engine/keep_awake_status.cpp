// The controller's state as the user sees it: timers and awake requests in
// step with the rule's decision, the status caption and tray tip, the tray
// icon and the "&Activate for" check marks.
#include "engine/keep_awake_controller.h"

#include "common/decimal_text.h"
#include "engine/activate_for_items.h"
#include "engine/active_caption.h"
#include "engine/keep_awake_rule.h"
#include "engine/own_length.h"
#include "engine/policy_rules.h"
#include "engine/power_reason.h"
#include "engine/wake_rules.h"

namespace staywick {

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
    ApplyLidOverride(decision);
    // A MaxMinutes policy ends every session the user starts, as a countdown
    // of that length.
    const std::int32_t countDownMinutes =
        CappedSessionMinutes(options_.ActivateFor, policy_.MaxMinutes());
    view_.SetStatusChecked(decision.Wanted());
    // Asleep, the tick waits for the resume message (PowerSuspending).
    TimerMain.SetEnabled(decision.on && !suspended_);
    const bool until = UntilDecides();
    if (!until)
        options_.ActivateUntilEnd.reset();
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
    std::wstring caption =
        AutomaticCaption(decision, Facts(), automatic_ ? automatic_->Captions : ReasonCaptions{});
    if (caption.empty())
        caption = until ? ActiveCaption(L"until " + UntilText(), !appliedKeepDisplayOn_)
                        : StatusCaption(countDownMinutes);
    caption_ = caption;
    view_.SetStatusCaption(caption);
    view_.SetTrayTip(caption);
    TimerMain.SetInterval(kTickAfterWakeMs);
    view_.UpdateTrayIcon(GetTrayIcon());
    FollowSessionEnd();
}

// The lid follows keep-awake really on (not paused) and the power source; a
// new choice may try, and say, a refusal once more.
void KeepAwakeController::ApplyLidOverride(const KeepAwakeDecision& decision) {
    const std::int32_t choice = Effective().LidClosedAwake;
    const bool chosenAgain = choice != appliedLidClosedAwake_;
    appliedLidClosedAwake_ = choice;
    if (!lid_)
        return;
    if (chosenAgain)
        lid_->ChoiceChanged();
    lid_->Apply(LidOverrideFor(choice, decision.on, Facts().power.onBattery));
}

// The chosen duration while it decides the end; the time of day the session
// ends when a MaxMinutes policy cuts it shorter (its length without a clock),
// when the duration's text would round it (an own length of 90 minutes
// is no "1 hours"), or once it was extended.
std::wstring KeepAwakeController::StatusCaption(std::int32_t countDownMinutes) const {
    if (!options_.Active)
        return L"&Staywick is disabled";
    const bool displayMaySleep = !Effective().KeepDisplayOn;
    if (!TimerCountDown.Enabled())
        return ActiveCaption({}, displayMaySleep);
    const bool exact = countDownMinutes < 60 || countDownMinutes % 60 == 0;
    if (countDownMinutes == options_.ActivateFor && exact && !extended_)
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

void KeepAwakeController::ApplyActivateForItems() {
    for (std::size_t i = 0; i < kActivateForTags.size(); ++i) {
        if (i != kActivateForSeparator)
            view_.SetActivateForEnabled(
                i, ActivateForAllowed(kActivateForTags[i], policy_.MaxMinutes()));
    }
}

std::int32_t KeepAwakeController::GetTrayIcon() const {
    return Decision().on ? 1 : 0;
}

} // namespace staywick
