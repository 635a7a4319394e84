#include "engine/automatic_keep_awake.h"

namespace staywick {

void AutomaticKeepAwake::SetProgram(const std::wstring& program) {
    AutomaticReasons reasons = reasons_;
    reasons.program = program;
    ReasonsChanged(reasons);
}

void AutomaticKeepAwake::SetSchedule(std::optional<LocalClockTime> scheduledUntil) {
    AutomaticReasons reasons = reasons_;
    reasons.scheduledUntil = scheduledUntil;
    ReasonsChanged(reasons);
}

void AutomaticKeepAwake::SetOneShot(const std::wstring& program) {
    AutomaticReasons reasons = reasons_;
    const bool ended = !reasons.oneShot.empty() && program.empty();
    reasons.oneShot = program;
    ReasonsChanged(reasons);
    if (ended && OnOneShotEnded)
        OnOneShotEnded();
}

void AutomaticKeepAwake::SetForeground(const std::wstring& program) {
    AutomaticReasons reasons = reasons_;
    reasons.foreground = program;
    ReasonsChanged(reasons);
}

void AutomaticKeepAwake::SetWindowTitle(const std::wstring& pattern) {
    AutomaticReasons reasons = reasons_;
    reasons.windowTitle = pattern;
    ReasonsChanged(reasons);
}

void AutomaticKeepAwake::ReasonsChanged(const AutomaticReasons& reasons) {
    if (reasons == reasons_)
        return;
    reasons_ = reasons;
    overruled_ = ForgetEndedReasons(overruled_, reasons_);
    Changed();
}

void AutomaticKeepAwake::SetPower(const PowerFacts& power) {
    if (power == power_)
        return;
    power_ = power;
    Changed();
}

void AutomaticKeepAwake::SetChoices(const PauseChoices& choices) {
    if (choices == choices_)
        return;
    choices_ = choices;
    Changed();
}

void AutomaticKeepAwake::SwitchedOff() {
    overruled_ = OverruleOnSwitchOff(reasons_);
    // A one-shot that the user stopped is over, as a countdown switched off.
    reasons_.oneShot.clear();
    overruled_.oneShot = false;
}

void AutomaticKeepAwake::SwitchedOn() {
    overruled_ = {};
}

KeepAwakeFacts AutomaticKeepAwake::Facts(bool manualOn) const {
    return {.manualOn = manualOn,
            .reasons = reasons_,
            .overruled = overruled_,
            .power = power_,
            .choices = choices_};
}

void AutomaticKeepAwake::Changed() {
    if (OnChange)
        OnChange();
}

} // namespace staywick
