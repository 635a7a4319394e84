// The rule of who wins: the user's state, the automatic reasons, the reasons
// the user overruled, and the pauses; with the captions that say why.
#include "engine/keep_awake_rule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace staywick {
namespace {

const AutomaticReasons kNone{};
const AutomaticReasons kObs{.program = L"obs64.exe"};
const AutomaticReasons kScheduled{.scheduledUntil = LocalClockTime{17, 30}};
const AutomaticReasons kOneShot{.oneShot = L"render.exe"};
const AutomaticReasons kObsAndScheduled{.program = L"obs64.exe",
                                        .scheduledUntil = LocalClockTime{17, 30}};
const AutomaticReasons kAll{
    .program = L"obs64.exe", .scheduledUntil = LocalClockTime{17, 30}, .oneShot = L"render.exe"};

const PowerFacts kOnAc{.batteryPercent = 80};
const PowerFacts kOnBattery{.onBattery = true, .batteryPercent = 80};
const PowerFacts kBattery19{.onBattery = true, .batteryPercent = 19};
const PowerFacts kBattery20{.onBattery = true, .batteryPercent = 20};
const PowerFacts kAcBattery5{.batteryPercent = 5};
const PowerFacts kBatteryUnknown{.onBattery = true};
const PowerFacts kLidClosedOnBattery{.onBattery = true, .batteryPercent = 80, .lidClosed = true};
const PowerFacts kLidClosedOnAc{.batteryPercent = 80, .lidClosed = true};
const PowerFacts kLocked{.sessionLocked = true};

const PauseChoices kDefaults{};
const PauseChoices kBatteryPause{.PauseOnBattery = true};
const PauseChoices kBelow20{.PauseBelowBattery = 20};
const PauseChoices kBatteryAndBelow20{.PauseOnBattery = true, .PauseBelowBattery = 20};
const PauseChoices kNoLidPause{.PauseOnLidClosed = false};
const PauseChoices kDisplayOffLocked{.DisplayOffWhenLocked = true};

struct RuleCase {
    const char* name;
    KeepAwakeFacts facts;
    WantedBy wantedBy;
    Pause pause;
    bool on;
    bool display;
    const wchar_t* caption; // AutomaticCaption; empty: the user's own caption
};
void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class Rule : public testing::TestWithParam<RuleCase> {};

TEST_P(Rule, DecidesAndSaysWhy) {
    const auto& p = GetParam();
    const KeepAwakeDecision d = DecideKeepAwake(p.facts);
    EXPECT_EQ(d.wantedBy, p.wantedBy);
    EXPECT_EQ(d.pause, p.pause);
    EXPECT_EQ(d.on, p.on);
    EXPECT_EQ(d.display, p.display);
    EXPECT_EQ(AutomaticCaption(d, p.facts), p.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rule,
    testing::Values(
        RuleCase{"Off", {}, WantedBy::Nobody, Pause::None, false, false, L""},
        RuleCase{"ManualOn", {.manualOn = true}, WantedBy::User, Pause::None, true, true, L""},
        RuleCase{"ProgramRuns",
                 {.reasons = kObs},
                 WantedBy::Program,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (while obs64.exe runs)"},
        RuleCase{"Scheduled",
                 {.reasons = kScheduled},
                 WantedBy::Schedule,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (scheduled until 17:30)"},
        RuleCase{"ScheduledUntilEarlyMorning",
                 {.reasons = {.scheduledUntil = LocalClockTime{6, 5}}},
                 WantedBy::Schedule,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (scheduled until 06:05)"},
        RuleCase{"OneShotWaits",
                 {.reasons = kOneShot},
                 WantedBy::OneShot,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (while render.exe runs)"},
        RuleCase{"ManualOnNamesNoAutomaticReason",
                 {.manualOn = true, .reasons = kAll},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"ProgramBeforeSchedule",
                 {.reasons = kObsAndScheduled},
                 WantedBy::Program,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (while obs64.exe runs)"},
        RuleCase{"OneShotBeforeProgram",
                 {.reasons = kAll},
                 WantedBy::OneShot,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (while render.exe runs)"},
        // The user's "off" wins over each reason it overruled.
        RuleCase{"OverruledProgram",
                 {.reasons = kObs, .overruled = {.program = true}},
                 WantedBy::Nobody,
                 Pause::None,
                 false,
                 false,
                 L""},
        RuleCase{"OverruledSchedule",
                 {.reasons = kScheduled, .overruled = {.schedule = true}},
                 WantedBy::Nobody,
                 Pause::None,
                 false,
                 false,
                 L""},
        RuleCase{"OverruledOneShot",
                 {.reasons = kOneShot, .overruled = {.oneShot = true}},
                 WantedBy::Nobody,
                 Pause::None,
                 false,
                 false,
                 L""},
        RuleCase{"OverruledProgramScheduleStillHolds",
                 {.reasons = kObsAndScheduled, .overruled = {.program = true}},
                 WantedBy::Schedule,
                 Pause::None,
                 true,
                 true,
                 L"&Staywick is active (scheduled until 17:30)"},
        RuleCase{"ManualOnBeatsOverrule",
                 {.manualOn = true, .reasons = kObs, .overruled = {.program = true}},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        // Pauses win over everything, and only on battery.
        RuleCase{"OnBatteryPausesManual",
                 {.manualOn = true, .power = kOnBattery, .choices = kBatteryPause},
                 WantedBy::User,
                 Pause::OnBattery,
                 false,
                 false,
                 L"&Staywick is paused (on battery)"},
        RuleCase{"OnBatteryPausesProgram",
                 {.reasons = kObs, .power = kOnBattery, .choices = kBatteryPause},
                 WantedBy::Program,
                 Pause::OnBattery,
                 false,
                 false,
                 L"&Staywick is paused (on battery)"},
        RuleCase{"OnBatteryNotChosen",
                 {.manualOn = true, .power = kOnBattery, .choices = kDefaults},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"OnAcBatteryPauseChosen",
                 {.manualOn = true, .power = kOnAc, .choices = kBatteryPause},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"BatteryPauseWhileOffShowsDisabled",
                 {.power = kOnBattery, .choices = kBatteryPause},
                 WantedBy::Nobody,
                 Pause::None,
                 false,
                 false,
                 L""},
        RuleCase{"BelowLevel19Of20",
                 {.manualOn = true, .power = kBattery19, .choices = kBelow20},
                 WantedBy::User,
                 Pause::BatteryBelow,
                 false,
                 false,
                 L"&Staywick is paused (battery below 20%)"},
        RuleCase{"AtLevel20Of20",
                 {.manualOn = true, .power = kBattery20, .choices = kBelow20},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"BelowLevelWhileCharging",
                 {.manualOn = true, .power = kAcBattery5, .choices = kBelow20},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"BelowLevelUnknownPercent",
                 {.manualOn = true, .power = kBatteryUnknown, .choices = kBelow20},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"OnBatteryNamedBeforeLevel",
                 {.manualOn = true, .power = kBattery19, .choices = kBatteryAndBelow20},
                 WantedBy::User,
                 Pause::OnBattery,
                 false,
                 false,
                 L"&Staywick is paused (on battery)"},
        RuleCase{"LidClosedOnBatteryByDefault",
                 {.reasons = kScheduled, .power = kLidClosedOnBattery, .choices = kDefaults},
                 WantedBy::Schedule,
                 Pause::LidClosed,
                 false,
                 false,
                 L"&Staywick is paused (lid closed)"},
        RuleCase{"LidClosedOnAc",
                 {.manualOn = true, .power = kLidClosedOnAc, .choices = kDefaults},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"LidClosedPauseNotChosen",
                 {.manualOn = true, .power = kLidClosedOnBattery, .choices = kNoLidPause},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        // The lock choice lets the display sleep; the system request stays.
        RuleCase{"LockedDisplayOffChosen",
                 {.manualOn = true, .power = kLocked, .choices = kDisplayOffLocked},
                 WantedBy::User,
                 Pause::None,
                 true,
                 false,
                 L""},
        RuleCase{"LockedDisplayKept",
                 {.manualOn = true, .power = kLocked, .choices = kDefaults},
                 WantedBy::User,
                 Pause::None,
                 true,
                 true,
                 L""},
        RuleCase{"LockedProgramRuns",
                 {.reasons = kObs, .power = kLocked, .choices = kDisplayOffLocked},
                 WantedBy::Program,
                 Pause::None,
                 true,
                 false,
                 L"&Staywick is active (while obs64.exe runs)"}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

// A manual off during a program trigger, what follows while it runs, and
// when it exits: the facts as the watchers and the switch change them.
TEST(RuleOverrule, SwitchOffWhileProgramRunsHoldsUntilItExits) {
    KeepAwakeFacts facts{.reasons = kObs};
    EXPECT_TRUE(DecideKeepAwake(facts).on);

    facts.overruled = OverruleOnSwitchOff(facts.reasons);
    EXPECT_FALSE(DecideKeepAwake(facts).Wanted());

    // Still running, now scheduled too: the schedule was not overruled.
    facts.reasons.scheduledUntil = LocalClockTime{17, 30};
    facts.overruled = ForgetEndedReasons(facts.overruled, facts.reasons);
    EXPECT_EQ(DecideKeepAwake(facts).wantedBy, WantedBy::Schedule);
    facts.reasons.scheduledUntil.reset();

    // The program exits: the overrule is forgotten.
    facts.reasons.program.clear();
    facts.overruled = ForgetEndedReasons(facts.overruled, facts.reasons);
    EXPECT_EQ(facts.overruled, OverruledReasons{});
    EXPECT_FALSE(DecideKeepAwake(facts).Wanted());

    // It starts again: keep-awake follows it again.
    facts.reasons.program = L"obs64.exe";
    facts.overruled = ForgetEndedReasons(facts.overruled, facts.reasons);
    EXPECT_EQ(DecideKeepAwake(facts).wantedBy, WantedBy::Program);
}

TEST(RuleOverrule, SwitchOffOverrulesOnlyWhatHolds) {
    EXPECT_EQ(OverruleOnSwitchOff(kNone), OverruledReasons{});
    EXPECT_EQ(OverruleOnSwitchOff(kScheduled), (OverruledReasons{.schedule = true}));
    EXPECT_EQ(OverruleOnSwitchOff(kAll),
              (OverruledReasons{.program = true, .schedule = true, .oneShot = true}));
    // The schedule window closes while the program still runs.
    EXPECT_EQ(ForgetEndedReasons({.program = true, .schedule = true}, kObs),
              (OverruledReasons{.program = true}));
    // A one-shot's overrule lasts while it waits and goes with its end.
    EXPECT_EQ(ForgetEndedReasons({.oneShot = true}, kOneShot), (OverruledReasons{.oneShot = true}));
    EXPECT_EQ(ForgetEndedReasons({.program = true, .oneShot = true}, kObs),
              (OverruledReasons{.program = true}));
}

TEST(ClockTextTest, TwoDigitsEach) {
    EXPECT_EQ(ClockText({0, 0}), L"00:00");
    EXPECT_EQ(ClockText({9, 5}), L"09:05");
    EXPECT_EQ(ClockText({23, 59}), L"23:59");
}

} // namespace
} // namespace staywick
