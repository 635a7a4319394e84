// The controller around the end of a session with an end: which end carries
// the user's action out, the warning before it, and "Extend".
#include "engine/keep_awake_controller.h"

#include "engine/activate_for_items.h"
#include "engine/clock_target.h"
#include "engine/own_length.h"
#include "engine/policy_rules.h"
#include "engine/power_reason.h"

#include <algorithm>

namespace staywick {

namespace {
constexpr std::uint64_t kMinuteMs = 60000;
// The longest session "Extend" makes: the longest "/for".
constexpr std::uint64_t kLongestSessionMs = std::uint64_t{kOwnLengthMax} * kMinuteMs;
} // namespace

void KeepAwakeController::SetSessionEnds(SessionEnds* ends) {
    ends_ = ends;
    if (ends_)
        ends_->OnWarningDue = [this] { WarningDue(); };
}

// A new choice of the user's: "/then" and an extension belonged to the
// session before it, and so did an action still counting down.
void KeepAwakeController::SessionChosen() {
    sessionAction_.reset();
    extended_ = false;
    if (ends_)
        ends_->Countdown.Cancel();
}

bool KeepAwakeController::HasEnd() const {
    return options_.Active && StatusCode() == kStatusOnWithEnd;
}

// The countdown ends the session before its own end only when a MaxMinutes
// cap is shorter than what the user asked for ("Indefinitely" included).
SessionEnd KeepAwakeController::CountDownEndKind() const {
    if (UntilDecides())
        return SessionEnd::Until;
    const auto cap = policy_.MaxMinutes();
    if (cap && (options_.ActivateFor <= 0 || *cap < options_.ActivateFor))
        return SessionEnd::PolicyCap;
    if (options_.ActivateUntil)
        return SessionEnd::PolicyCap; // the cap decides an end set by a time
    return SessionEnd::CountDown;
}

void KeepAwakeController::EndedByItself(SessionEnd how) {
    const std::optional<EndAction> forSession = sessionAction_;
    sessionAction_.reset();
    extended_ = false;
    if (!ends_)
        return;
    const EndActionFacts facts{
        .end = how,
        .stillKeptAwake = Decision().on,
        .chosen = EndActionFromValue(options_.EndAction).value_or(EndAction::Nothing),
        .forSession = forSession,
        .allowed = policy_.AllowEndAction(),
        .canHibernate = true,
    };
    EndAction action = ActionAtEnd(facts);
    if (action == EndAction::Hibernate && !CanHibernate())
        action = EndAction::Nothing;
    ends_->Countdown.Begin(action);
}

void KeepAwakeController::OneShotEnded() {
    EndedByItself(SessionEnd::OneShot);
}

std::optional<std::uint64_t> KeepAwakeController::SessionEndMs() {
    if (!power_.clock || !HasEnd())
        return std::nullopt;
    const std::uint64_t now = power_.clock->MonotonicMilliseconds();
    if (UntilDecides()) {
        const auto end = UntilEnd();
        if (!end)
            return std::nullopt;
        const std::int64_t left = *end - power_.clock->WallClockMs();
        return now + static_cast<std::uint64_t>(std::max<std::int64_t>(left, 0));
    }
    return countDownEnd_;
}

// Run at the end of every status update: the warning follows the end, and
// "Extend" shows while there is one.
void KeepAwakeController::FollowSessionEnd() {
    if (!ends_)
        return;
    const std::uint64_t now = power_.clock ? power_.clock->MonotonicMilliseconds() : 0;
    ends_->FollowEnd(SessionEndMs(), now, options_.WarnBeforeEnd);
    ends_->View.SetExtendVisible(HasEnd());
}

void KeepAwakeController::WarningDue() {
    if (!HasEnd())
        return;
    const auto end = CountDownEndTime();
    if (!end)
        return;
    std::wstring text = power_.clock->TimeOfDayText(*end);
    ends_->View.WarnOfEnd(text.empty() ? FormatClockTime(*end) : text);
}

bool KeepAwakeController::CanHibernate() {
    if (!canHibernate_)
        canHibernate_ = ends_ && ends_->System.CanHibernate();
    return *canHibernate_;
}

void KeepAwakeController::ShowEndActionChoice() {
    if (!ends_)
        return;
    ends_->View.SetEndActionChoice(
        EndActionFromValue(options_.EndAction).value_or(EndAction::Nothing),
        policy_.AllowEndAction(), CanHibernate());
}

void KeepAwakeController::EndActionClick(EndAction action) {
    if (!policy_.AllowEndAction())
        return;
    options_.EndAction = static_cast<std::int32_t>(action);
    ShowEndActionChoice();
    saveOptions_();
}

bool KeepAwakeController::ExtendClick(std::int32_t minutes) {
    if (!HasEnd() || minutes <= 0)
        return false;
    if (UntilDecides()) {
        ExtendUntil(minutes);
    } else if (!ExtendCountDown(minutes)) {
        return true; // at the cap already: the end stays
    }
    saveOptions_();
    return true;
}

// The end set by a time moves to the time the clock shows then, at most a
// day ahead (further, it would read as tomorrow's time).
void KeepAwakeController::ExtendUntil(std::int32_t minutes) {
    Clock& clock = *power_.clock;
    const std::int64_t nowLocal = clock.LocalWallMs(clock.WallClockMs());
    const std::int64_t end = *options_.ActivateUntilEnd;
    const std::int64_t latest = nowLocal + kDayMs - static_cast<std::int64_t>(kMinuteMs);
    const std::int64_t moved =
        std::min(end + static_cast<std::int64_t>(minutes) * 60000, std::max(end, latest));
    options_.ActivateUntil = MinuteOfDayAt(moved);
    options_.ActivateUntilEnd = moved;
    UpdateActiveStatus();
}

bool KeepAwakeController::ExtendCountDown(std::int32_t minutes) {
    if (!power_.clock || !countDownEnd_ || !countDownStart_)
        return false;
    const std::uint64_t start = *countDownStart_;
    std::uint64_t latest = start + kLongestSessionMs;
    if (const auto cap = policy_.MaxMinutes())
        latest = std::min(latest, start + static_cast<std::uint64_t>(*cap) * kMinuteMs);
    const std::uint64_t end = ExtendedEnd(*countDownEnd_, minutes, latest);
    if (end <= *countDownEnd_)
        return false;
    const auto length = static_cast<std::int32_t>((end - start) / kMinuteMs);
    SetCountDownLength(options_, length);
    extended_ = true;
    UpdateActiveStatus();
    // The new length re-armed the timer from now; the session still counts
    // from its start.
    const std::uint64_t now = power_.clock->MonotonicMilliseconds();
    countDownStart_ = start;
    countDownEnd_ = end;
    TimerCountDown.FireIn(static_cast<std::uint32_t>(end > now ? end - now : 1));
    ClearActivateForStatus();
    CheckLengthItem(length);
    // The caption and the warning follow the end as it now is.
    UpdateActiveStatus();
    return true;
}

} // namespace staywick
