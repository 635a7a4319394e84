// The controller keeps the lid-close action in step: held while keep-awake
// is really on and the choice applies, put back when keep-awake ends, the
// power source changes so the choice no longer applies, a pause comes, the
// policy forbids it or the program is halted; and "always" wins over the
// lid pause on battery.
#include "engine/keep_awake_rule.h"
#include "engine/lid_override.h"
#include "engine/policy.h"
#include "fakes/fake_lid_close_action.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::kBalanced;
using fakes::KeepAwakeRig;
using fakes::LidValues;
using fakes::MachinePolicy;
using fakes::State;

constexpr LidValues kFound{.ac = 1, .dc = 2};
constexpr LidValues kNothing{.ac = 0, .dc = 0};

// Keep-awake on indefinitely (or off), on AC power, with `choice`; the
// scheme's lid actions are 1 (sleep) on AC and 2 (hibernate) on battery.
struct LidRig {
    explicit LidRig(std::int32_t choice, bool active = true, PauseChoices pauses = {})
        : rig(State(active, 0, false)) {
        rig.options.LidClosedAwake = choice;
        action.schemes[kBalanced] = kFound;
        lid.OnProblem = [this](LidProblem problem) { said.push_back(problem); };
        rig.Create();
        rig.automatic.SetChoices(pauses);
        rig.controller->SetLidOverride(&lid);
        rig.StartUp();
    }
    void Power(bool onBattery, bool lidClosed = false) {
        rig.automatic.SetPower({.onBattery = onBattery, .lidClosed = lidClosed});
    }
    LidValues Scheme() { return action.schemes[kBalanced]; }
    KeepAwakeController& Controller() { return *rig.controller; }

    KeepAwakeRig rig;
    std::vector<std::wstring> log;
    fakes::FakeLidCloseAction action{log};
    fakes::MemoryLidOriginals store{log};
    LidOverride lid{action, store};
    std::vector<LidProblem> said;
};

TEST(LidKeepAwake, NeverTouchesNothing) {
    LidRig r(kLidAwakeNever);
    r.Controller().MnuActiveClick();
    r.Controller().MnuActiveClick();
    r.Power(true);
    EXPECT_TRUE(r.log.empty()) << "powrprof is never asked";
    EXPECT_EQ(r.Scheme(), kFound);
}

TEST(LidKeepAwake, KeepAwakeOnHoldsItAndOffPutsItBack) {
    LidRig r(kLidAwakeOnMains);
    EXPECT_EQ(r.Scheme(), (LidValues{.ac = 0, .dc = 2}));
    EXPECT_EQ(r.store.kept, (LidOriginals{.scheme = kBalanced, .ac = 1}));

    r.Controller().MnuActiveClick(); // off
    EXPECT_EQ(r.Scheme(), kFound);
    EXPECT_FALSE(r.store.kept);

    r.Controller().MnuActiveClick(); // on
    EXPECT_EQ(r.Scheme().ac, 0u);
    // A countdown's end switches off as the user does.
    r.Controller().Indefinitely1Click(fakes::ItemFor(5));
    r.rig.clock.Advance(5 * 60000);
    EXPECT_FALSE(r.rig.options.Active);
    EXPECT_EQ(r.Scheme(), kFound);
    EXPECT_TRUE(r.said.empty());
}

TEST(LidKeepAwake, AnAutomaticReasonCountsAsOn) {
    LidRig r(kLidAwakeAlways, false);
    EXPECT_EQ(r.Scheme(), kFound);
    r.rig.automatic.SetProgram(L"obs64.exe");
    EXPECT_EQ(r.Scheme(), kNothing);
    r.rig.automatic.SetProgram(L"");
    EXPECT_EQ(r.Scheme(), kFound);
}

struct SourceRow {
    const char* name;
    std::int32_t choice;
    LidValues onBattery;
    LidValues backOnMains;
};

// The power source changes while keep-awake is on; then the program is
// halted (the Disabled policy), ends or the session ends: all put back.
TEST(LidKeepAwake, ThePowerSourceDecidesForOnMainsPowerAndTheEndPutsBack) {
    const SourceRow rows[] = {
        {.name = "on mains power",
         .choice = kLidAwakeOnMains,
         .onBattery = kFound,
         .backOnMains = {.ac = 0, .dc = 2}},
        {.name = "always",
         .choice = kLidAwakeAlways,
         .onBattery = kNothing,
         .backOnMains = kNothing},
    };
    for (const SourceRow& row : rows) {
        SCOPED_TRACE(row.name);
        for (const bool halted : {true, false}) {
            LidRig r(row.choice);
            r.Power(true);
            EXPECT_EQ(r.Scheme(), row.onBattery);
            r.Power(false);
            EXPECT_EQ(r.Scheme(), row.backOnMains);
            if (halted)
                r.Controller().Halt();
            else
                r.lid.Restore(); // the main window's end, by Exit or WM_ENDSESSION
            EXPECT_EQ(r.Scheme(), kFound);
            EXPECT_FALSE(r.store.kept);
        }
    }
}

struct PauseRow {
    const char* name;
    bool pauseOnLidClosed;
    std::int32_t lidClosedAwake;
    bool onBattery;
    bool lidClosed;
    Pause expected;
};

// "Always" is the user's explicit wish to stay awake with the lid closed on
// battery as well, so it wins over the lid pause (on by default); the other
// pauses still win over it.
TEST(LidPauseRule, AlwaysWinsOverTheLidPauseOnBattery) {
    const PauseRow rows[] = {
        {.name = "never: the pause applies",
         .pauseOnLidClosed = true,
         .lidClosedAwake = 0,
         .onBattery = true,
         .lidClosed = true,
         .expected = Pause::LidClosed},
        {.name = "on mains power: on battery it does not apply, the pause does",
         .pauseOnLidClosed = true,
         .lidClosedAwake = 1,
         .onBattery = true,
         .lidClosed = true,
         .expected = Pause::LidClosed},
        {.name = "always: no pause",
         .pauseOnLidClosed = true,
         .lidClosedAwake = 2,
         .onBattery = true,
         .lidClosed = true,
         .expected = Pause::None},
        {.name = "always, lid open",
         .pauseOnLidClosed = true,
         .lidClosedAwake = 2,
         .onBattery = true,
         .lidClosed = false,
         .expected = Pause::None},
        {.name = "never, on AC: no lid pause on AC",
         .pauseOnLidClosed = true,
         .lidClosedAwake = 0,
         .onBattery = false,
         .lidClosed = true,
         .expected = Pause::None},
        {.name = "pause not chosen",
         .pauseOnLidClosed = false,
         .lidClosedAwake = 0,
         .onBattery = true,
         .lidClosed = true,
         .expected = Pause::None},
    };
    for (const PauseRow& row : rows) {
        KeepAwakeFacts facts{.manualOn = true};
        facts.power = {.onBattery = row.onBattery, .lidClosed = row.lidClosed};
        facts.choices.PauseOnLidClosed = row.pauseOnLidClosed;
        facts.lidClosedAwake = row.lidClosedAwake;
        const KeepAwakeDecision d = DecideKeepAwake(facts);
        EXPECT_EQ(d.pause, row.expected) << row.name;
        EXPECT_EQ(d.on, row.expected == Pause::None) << row.name;
        EXPECT_EQ(LidPauseOverruled(row.lidClosedAwake), row.lidClosedAwake == 2);
    }
    // Pausing on battery as such still wins: keep-awake is off, so the lid
    // action goes back too.
    KeepAwakeFacts battery{.manualOn = true};
    battery.power.onBattery = true;
    battery.choices.PauseOnBattery = true;
    battery.lidClosedAwake = 2;
    EXPECT_EQ(DecideKeepAwake(battery).pause, Pause::OnBattery);
}

// With "always" the lid closing on battery keeps keep-awake and the lid
// action held; with the pause winning ("on mains power") both go.
TEST(LidKeepAwake, TheLidClosingOnBatteryFollowsWhoWins) {
    PauseChoices pauses;
    pauses.PauseOnLidClosed = true;
    LidRig always(kLidAwakeAlways, true, pauses);
    always.Power(true, true);
    EXPECT_TRUE(always.Controller().Decision().on);
    EXPECT_EQ(always.Scheme(), kNothing);

    LidRig onMains(kLidAwakeOnMains, true, pauses);
    onMains.Power(true, true);
    EXPECT_EQ(onMains.Controller().Decision().pause, Pause::LidClosed);
    EXPECT_EQ(onMains.Scheme(), kFound);
}

// "Pause on battery" wins over "Always": keep-awake is wanted but paused,
// so the lid action goes back, and comes again with the pause's end.
TEST(LidKeepAwake, APausePutsItBack) {
    PauseChoices pauses;
    pauses.PauseOnBattery = true;
    LidRig r(kLidAwakeAlways, true, pauses);
    EXPECT_EQ(r.Scheme(), kNothing);
    r.Power(true);
    EXPECT_TRUE(r.Controller().Decision().Wanted());
    EXPECT_EQ(r.Scheme(), kFound);
    r.Power(false);
    EXPECT_EQ(r.Scheme(), kNothing);
}

TEST(LidKeepAwake, ThePolicyPutsBackAndForbidsWhatTheFileSays) {
    LidRig r(kLidAwakeAlways);
    EXPECT_EQ(r.Scheme(), kNothing);
    r.Controller().PolicyChanged(MachinePolicy({{PolicyId::AllowLidOverride, 0}}));
    EXPECT_EQ(r.Scheme(), kFound);
    EXPECT_EQ(r.rig.options.LidClosedAwake, kLidAwakeAlways) << "the user's own value stays";
    r.Controller().MnuActiveClick();
    r.Controller().MnuActiveClick();
    EXPECT_EQ(r.Scheme(), kFound);
    r.Controller().PolicyChanged(MachinePolicy({{PolicyId::AllowLidOverride, 1}}));
    EXPECT_EQ(r.Scheme(), kNothing);
}

// A refusal is said once however often the status changes, and once more
// when the user chooses again in Options; the new choice applies at OK.
TEST(LidKeepAwake, ARefusalIsSaidOnceAndANewChoiceTriesAgain) {
    LidRig r(kLidAwakeOnMains);
    r.lid.Restore();
    r.action.refuseWrite = PowerLine::Ac;
    r.lid.ChoiceChanged();
    for (int i = 0; i < 3; ++i) {
        r.Controller().MnuActiveClick();
        r.Power(i % 2 == 0);
    }
    r.Controller().MnuActiveClick();
    EXPECT_EQ(r.said, std::vector<LidProblem>{LidProblem::PowerSettingsRefused});
    EXPECT_EQ(r.Scheme(), kFound);

    r.action.refuseWrite.reset();
    r.rig.options.LidClosedAwake = kLidAwakeAlways;
    r.Controller().OptionsConfirmed(true);
    EXPECT_TRUE(r.rig.options.Active);
    EXPECT_EQ(r.Scheme(), kNothing);
    EXPECT_EQ(r.said.size(), 1u);
}

} // namespace
} // namespace staywick
