#include "engine/keep_awake_rule.h"

#include "common/decimal_text.h"
#include "engine/active_caption.h"
#include "engine/lid_override.h"

namespace staywick {

namespace {

Pause PauseFor(const PowerFacts& power, const PauseChoices& choices,
               std::int32_t lidClosedAwake) noexcept {
    // Each pause is about draining the battery: on AC power none applies.
    if (!power.onBattery)
        return Pause::None;
    if (choices.PauseOnBattery)
        return Pause::OnBattery;
    if (choices.PauseBelowBattery > 0 && power.batteryPercent &&
        *power.batteryPercent < choices.PauseBelowBattery)
        return Pause::BatteryBelow;
    if (choices.PauseOnLidClosed && power.lidClosed && !LidPauseOverruled(lidClosedAwake))
        return Pause::LidClosed;
    return Pause::None;
}

WantedBy WantedByFor(const KeepAwakeFacts& facts) noexcept {
    if (facts.manualOn)
        return WantedBy::User;
    const AutomaticReasons& r = facts.reasons;
    if (!r.oneShot.empty() && !facts.overruled.oneShot)
        return WantedBy::OneShot;
    if (!r.program.empty() && !facts.overruled.program)
        return WantedBy::Program;
    if (!r.foreground.empty() && !facts.overruled.foreground)
        return WantedBy::Foreground;
    if (!r.windowTitle.empty() && !facts.overruled.windowTitle)
        return WantedBy::WindowTitle;
    if (r.scheduledUntil && !facts.overruled.schedule)
        return WantedBy::Schedule;
    return WantedBy::Nobody;
}

std::wstring TwoDigits(int value) {
    return (value < 10 ? L"0" : L"") + DecimalText(value);
}

} // namespace

KeepAwakeDecision DecideKeepAwake(const KeepAwakeFacts& facts) noexcept {
    KeepAwakeDecision d;
    d.wantedBy = WantedByFor(facts);
    if (!d.Wanted())
        return d;
    d.pause = PauseFor(facts.power, facts.choices, facts.lidClosedAwake);
    d.on = d.pause == Pause::None;
    d.display = d.on && facts.keepDisplayOn &&
                !(facts.power.sessionLocked && facts.choices.DisplayOffWhenLocked);
    return d;
}

OverruledReasons OverruleOnSwitchOff(const AutomaticReasons& reasons) noexcept {
    return {.program = !reasons.program.empty(),
            .schedule = reasons.scheduledUntil.has_value(),
            .oneShot = !reasons.oneShot.empty(),
            .foreground = !reasons.foreground.empty(),
            .windowTitle = !reasons.windowTitle.empty()};
}

OverruledReasons ForgetEndedReasons(OverruledReasons overruled,
                                    const AutomaticReasons& reasons) noexcept {
    overruled.program = overruled.program && !reasons.program.empty();
    overruled.schedule = overruled.schedule && reasons.scheduledUntil.has_value();
    overruled.oneShot = overruled.oneShot && !reasons.oneShot.empty();
    overruled.foreground = overruled.foreground && !reasons.foreground.empty();
    overruled.windowTitle = overruled.windowTitle && !reasons.windowTitle.empty();
    return overruled;
}

std::wstring ClockText(LocalClockTime time) {
    return TwoDigits(time.hour) + L":" + TwoDigits(time.minute);
}

std::wstring AutomaticCaption(const KeepAwakeDecision& decision, const KeepAwakeFacts& facts,
                              const ReasonCaptions& captions) {
    switch (decision.pause) {
    case Pause::OnBattery:
        return L"&Staywick is paused (on battery)";
    case Pause::BatteryBelow:
        return L"&Staywick is paused (battery below " +
               DecimalText(facts.choices.PauseBelowBattery) + L"%)";
    case Pause::LidClosed:
        return L"&Staywick is paused (lid closed)";
    case Pause::None:
        break;
    }
    const bool displayMaySleep = !facts.keepDisplayOn;
    switch (decision.wantedBy) {
    case WantedBy::OneShot:
        return ActiveCaption(L"while " + facts.reasons.oneShot + L" runs", displayMaySleep);
    case WantedBy::Program:
        return ActiveCaption(L"while " + facts.reasons.program + L" runs", displayMaySleep);
    case WantedBy::Schedule:
        return ActiveCaption(L"scheduled until " + ClockText(*facts.reasons.scheduledUntil),
                             displayMaySleep);
    case WantedBy::Foreground:
        return FilledPlaceholder(displayMaySleep ? captions.foregroundDisplaySleeps
                                                 : captions.foreground,
                                 facts.reasons.foreground);
    case WantedBy::WindowTitle:
        return FilledPlaceholder(displayMaySleep ? captions.windowTitleDisplaySleeps
                                                 : captions.windowTitle,
                                 facts.reasons.windowTitle);
    case WantedBy::User:
    case WantedBy::Nobody:
        break;
    }
    return {};
}

} // namespace staywick
