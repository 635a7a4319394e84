#pragma once
// AutomaticKeepAwake: the facts the watchers report (running programs, the
// schedule, a one-shot wait, power and session) and the reasons the user
// overruled, kept for the rule in engine/keep_awake_rule.h. A change that
// matters runs OnChange, where the controller brings everything in step.
#include "engine/keep_awake_rule.h"

#include <functional>
#include <string>

namespace staywick {

class AutomaticKeepAwake {
public:
    // A listed program runs (its file name), or none (empty).
    void SetProgram(const std::wstring& program);
    void SetSchedule(std::optional<LocalClockTime> scheduledUntil);
    // The program a one-shot waits for; empty when it has ended or none waits.
    void SetOneShot(const std::wstring& program);
    // A listed program whose window is in front, or none (empty).
    void SetForeground(const std::wstring& program);
    // The pattern an open window's title matches, or none (empty).
    void SetWindowTitle(const std::wstring& pattern);
    void SetPower(const PowerFacts& power);
    void SetChoices(const PauseChoices& choices);

    // The user switched keep-awake off (every reason that holds is overruled
    // until it ends) or on (nothing is overruled).
    void SwitchedOff();
    void SwitchedOn();

    KeepAwakeFacts Facts(bool manualOn) const;
    KeepAwakeDecision Decide(bool manualOn) const { return DecideKeepAwake(Facts(manualOn)); }
    const AutomaticReasons& Reasons() const noexcept { return reasons_; }
    const PowerFacts& Power() const noexcept { return power_; }

    // The captions' sentences from the string table, set by the program.
    ReasonCaptions Captions;

    // Run after a fact changed; not during SwitchedOff/SwitchedOn, whose
    // caller updates the status itself.
    std::function<void()> OnChange;
    // Run after OnChange when the one-shot's program ended by itself (not
    // when the user stopped the wait, which reports nothing).
    std::function<void()> OnOneShotEnded;

private:
    void ReasonsChanged(const AutomaticReasons& reasons);
    void Changed();

    AutomaticReasons reasons_;
    OverruledReasons overruled_;
    PowerFacts power_;
    PauseChoices choices_;
};

} // namespace staywick
