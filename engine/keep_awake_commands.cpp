// Commands for the running instance, carried out by the controller as the
// tray menu would, each leaving alone a state that already is what it asks for.
#include "engine/keep_awake_controller.h"

#include "common/decimal_text.h"
#include "engine/activate_for_items.h"
#include "engine/own_length.h"
#include "engine/policy_rules.h"
#include "platform/clock.h"

namespace staywick {

int KeepAwakeController::StatusCode() const {
    // Kept on by an automatic reason alone: on, with no end of its own.
    if (!options_.Active)
        return Decision().on ? kStatusOn : kStatusOff;
    // A MaxMinutes policy gives every session an end.
    const bool ends =
        UntilRuns() || CappedSessionMinutes(options_.ActivateFor, policy_.MaxMinutes()) > 0;
    return ends ? kStatusOnWithEnd : kStatusOn;
}

int KeepAwakeController::ApplyCommand(const RemoteCommand& command) {
    switch (command.kind) {
    case CommandKind::On:
        // Indefinitely, as the status item switches on from off.
        if (options_.Active && options_.ActivateFor == 0 && !options_.ActivateUntil)
            break;
        SessionChosen();
        options_.Active = true;
        options_.AutoStopped = false;
        SetCountDownLength(options_, 0);
        options_.ActivateUntil.reset();
        UpdateActiveStatus();
        ClearActivateForStatus();
        view_.SetActivateForChecked(kActivateForIndefinitely, true);
        saveOptions_();
        break;
    case CommandKind::Off:
        // As the status item: an automatic reason that holds is overruled too.
        if (Decision().Wanted())
            MnuActiveClick();
        break;
    case CommandKind::Toggle:
        MnuActiveClick();
        break;
    case CommandKind::For:
        if (options_.Active && options_.ActivateFor == command.value && !options_.ActivateUntil)
            break;
        ActivateForMinutesClick(command.value);
        break;
    case CommandKind::Until:
        if (!UntilRuns() || *options_.ActivateUntil != command.value)
            ActivateUntilClick(command.value);
        break;
    case CommandKind::Status:
        return StatusCode();
    case CommandKind::Exit:
        break;
    case CommandKind::While:
        return AnswerCommand(command).code;
    case CommandKind::Extend:
        return ExtendClick(command.value) ? kExitDone : kExitUsage;
    }
    return kExitDone;
}

KeepAwakeController::CommandAnswer
KeepAwakeController::AnswerCommand(const RemoteCommand& command) {
    // A command can come before start-up has read the policy and ended the
    // program: it changes nothing and saves nothing.
    if (policy_.Disabled())
        return {kExitDisabled, kTurnedOffByPolicyLine};
    if (command.then && !policy_.AllowEndAction())
        return {kExitUsage, kEndActionForbiddenLine};
    if (command.kind == CommandKind::Extend && !HasEnd())
        return {kExitUsage, kNothingToExtendLine};
    if (command.kind == CommandKind::While) {
        std::wstring problem = WhileProgramClick(OneShotTargetFromText(command.program));
        if (!problem.empty())
            return {kExitUsage, std::move(problem)};
    } else {
        const int code = ApplyCommand(command);
        if (code != kExitDone)
            return {code, StatusLine()};
    }
    // For this session alone, after the command has started or kept it.
    if (command.then)
        sessionAction_ = command.then;
    return {kExitDone, StatusLine()};
}

std::wstring KeepAwakeController::WhileProgramClick(const OneShotTarget& target) {
    if (!policy_.AllowAutomatic())
        return L"Keeping awake while a program runs is turned off by your organization";
    if (!oneShot_ || !oneShot_->WaitFor(target)) {
        if (target.id != 0)
            return L"No process " + DecimalText(static_cast<std::int64_t>(target.id)) +
                   L" is running";
        return L"No program " + target.fileName + L" is running";
    }
    SessionChosen();
    // The waiter's report has brought the status in step with the one-shot;
    // the user's own "on" would outlast the program, so it ends here.
    if (options_.Active) {
        options_.Active = false;
        options_.AutoStopped = false;
        UpdateActiveStatus();
        saveOptions_();
    }
    return {};
}

std::wstring KeepAwakeController::StatusLine() {
    std::wstring line;
    for (wchar_t c : caption_) {
        if (c != L'&')
            line.push_back(c);
    }
    // An end set by a time is already in the caption; a countdown's end is not.
    if (options_.Active && !UntilDecides() && countDownEnd_ && power_.clock) {
        const std::uint64_t now = power_.clock->MonotonicMilliseconds();
        const LocalClockTime end =
            power_.clock->LocalTimeIn(*countDownEnd_ > now ? *countDownEnd_ - now : 0);
        line += L", ends at " + power_.clock->TimeOfDayText(end);
    }
    return line;
}

} // namespace staywick
