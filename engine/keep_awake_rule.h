#pragma once
// Who wins when keep-awake is asked for by hand, by a listed program, by the
// schedule, by a one-shot wait, by a program in front or by a window title, and what stops it for a
// while (battery, lid): one pure rule. The watchers only report facts; the controller carries out
// the answer.
#include "platform/clock.h"

#include <cstdint>
#include <optional>
#include <string>

namespace staywick {

// What asks for keep-awake besides the user's own switch.
struct AutomaticReasons {
    std::wstring program{};                         // a listed program that runs; empty: none
    std::optional<LocalClockTime> scheduledUntil{}; // inside the schedule, ending then
    std::wstring oneShot{};                         // the program a one-shot waits for; empty: none
    std::wstring foreground{};  // a listed program whose window is in front; empty: none
    std::wstring windowTitle{}; // the pattern an open window's title matches; empty: none

    friend bool operator==(const AutomaticReasons&, const AutomaticReasons&) = default;
};

// Reasons the user switched off while they held; each stays overruled until
// it ends.
struct OverruledReasons {
    bool program = false;
    bool schedule = false;
    bool oneShot = false;
    bool foreground = false;
    bool windowTitle = false;

    friend bool operator==(const OverruledReasons&, const OverruledReasons&) = default;
};

// What the system reports about power and the session.
struct PowerFacts {
    bool onBattery = false;              // the AC line is off
    std::optional<int> batteryPercent{}; // empty: no battery, or unknown
    bool lidClosed = false;
    bool sessionLocked = false;

    friend bool operator==(const PowerFacts&, const PowerFacts&) = default;
};

// The user's pause choices (settings keys of the same names).
struct PauseChoices {
    bool PauseOnBattery = false;
    std::int32_t PauseBelowBattery = 0; // percent; 0: never
    bool PauseOnLidClosed = true;
    bool DisplayOffWhenLocked = false;

    friend bool operator==(const PauseChoices&, const PauseChoices&) = default;
};

struct KeepAwakeFacts {
    bool manualOn = false; // `Active`, with its countdown
    AutomaticReasons reasons{};
    OverruledReasons overruled{};
    PowerFacts power{};
    PauseChoices choices{};
    // `KeepDisplayOn` as the policies make it: off, only the system is held.
    bool keepDisplayOn = true;
    // `LidClosedAwake` as the policies make it: "always" (2) overrules the
    // lid pause (engine/lid_override.h).
    std::int32_t lidClosedAwake = 0;
};

enum class WantedBy { Nobody, User, Program, Schedule, OneShot, Foreground, WindowTitle };
enum class Pause { None, OnBattery, BatteryBelow, LidClosed };

struct KeepAwakeDecision {
    WantedBy wantedBy = WantedBy::Nobody;
    Pause pause = Pause::None; // only while wanted
    // Key presses, the system request and the timers.
    bool on = false;
    // The display request besides the system request (released while the
    // session is locked, when chosen, and never held while the display may
    // sleep).
    bool display = false;

    bool Wanted() const noexcept { return wantedBy != WantedBy::Nobody; }
    friend bool operator==(const KeepAwakeDecision&, const KeepAwakeDecision&) = default;
};

// The rule: on when the user or an automatic reason that is not overruled
// wants it, and no pause applies. Pauses win over everything.
KeepAwakeDecision DecideKeepAwake(const KeepAwakeFacts& facts) noexcept;

// A switch-off by the user overrules every automatic reason that holds now.
OverruledReasons OverruleOnSwitchOff(const AutomaticReasons& reasons) noexcept;

// An overruled reason that has ended is forgotten, so it applies again when
// it comes back (the program starts again, the next schedule window opens).
OverruledReasons ForgetEndedReasons(OverruledReasons overruled,
                                    const AutomaticReasons& reasons) noexcept;

// The whole sentences of the captions that come from the string table, each
// with "%1" for the program or the pattern: "&Staywick is active (while %1 is
// in front)", and the same while the display may sleep.
struct ReasonCaptions {
    std::wstring foreground{};
    std::wstring foregroundDisplaySleeps{};
    std::wstring windowTitle{};
    std::wstring windowTitleDisplaySleeps{};
};

// The status caption for an automatic or paused state, as "&Staywick is
// active (while obs64.exe runs)" or "&Staywick is paused (on battery)";
// empty when the user's own switch decides (the controller's caption).
// While the display may sleep, an active caption says so.
std::wstring AutomaticCaption(const KeepAwakeDecision& decision, const KeepAwakeFacts& facts,
                              const ReasonCaptions& captions = {});

// "17:30".
std::wstring ClockText(LocalClockTime time);

} // namespace staywick
