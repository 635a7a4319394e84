// The controller carrying out the rule: a listed program switches the tick
// and the requests on and off, the user's "off" holds until the program
// exits, pauses stop everything and give it back, and the lock choice lets
// only the display go.
#include "engine/policy.h"
#include "engine/remote_command.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::MachinePolicy;
using fakes::State;

constexpr std::uint32_t kRequest = 0x80000003u;
constexpr std::uint32_t kSystemOnly = 0x80000001u;
constexpr std::uint32_t kRelease = 0x80000000u;

class Automatic : public ::testing::Test {
protected:
    Automatic() : rig(State(false, 0, false)) {
        rig.Create();
        rig.StartUp();
    }
    bool TickRuns() { return rig.mainPort.Armed(); }
    std::uint32_t LastState() { return rig.input.executionStates.back(); }

    KeepAwakeRig rig;
};

TEST_F(Automatic, ProgramStartAndExitSwitchKeepAwake) {
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");

    rig.automatic.SetProgram(L"notepad.exe");
    EXPECT_TRUE(TickRuns());
    EXPECT_TRUE(rig.view.statusChecked);
    EXPECT_EQ(rig.view.trayIcons.back(), 1);
    EXPECT_EQ(LastState(), kRequest);
    EXPECT_EQ(rig.powerRequest.held, L"Staywick keeps this computer awake");
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (while notepad.exe runs)");
    EXPECT_EQ(rig.view.tip, rig.view.caption);

    rig.automatic.SetProgram(L"");
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.trayIcons.back(), 0);
    EXPECT_EQ(LastState(), kRelease);
    EXPECT_FALSE(rig.powerRequest.held);
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    // The user's state was never touched or saved.
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.saved.empty());
}

TEST_F(Automatic, UserOffWinsUntilTheProgramExits) {
    rig.automatic.SetProgram(L"obs64.exe");
    rig.controller->MnuActiveClick(); // the user switches off
    EXPECT_FALSE(TickRuns());
    EXPECT_FALSE(rig.view.statusChecked);
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    ASSERT_EQ(rig.saved.size(), 1u);
    EXPECT_FALSE(rig.saved.back().Active);

    rig.automatic.SetProgram(L""); // exits
    EXPECT_FALSE(TickRuns());
    rig.automatic.SetProgram(L"obs64.exe"); // and starts again
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while obs64.exe runs)");
}

TEST_F(Automatic, UserOnWhileOverruledIsManual) {
    rig.automatic.SetProgram(L"obs64.exe");
    rig.controller->MnuActiveClick(); // off
    rig.controller->MnuActiveClick(); // on again
    EXPECT_TRUE(rig.options.Active);
    EXPECT_EQ(rig.view.tip, L"&Staywick is active");
    rig.automatic.SetProgram(L"");
    EXPECT_TRUE(TickRuns()); // the user's own "on" stays
}

TEST_F(Automatic, CountdownEndLeavesTheProgramInCharge) {
    rig.controller->Indefinitely1Click(fakes::ItemFor(5));
    rig.automatic.SetProgram(L"obs64.exe");
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (5 minutes)");
    rig.clock.AdvanceTo(rig.countDownPort.Due());
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while obs64.exe runs)");
}

TEST_F(Automatic, PauseStopsTicksAndRequestsAndItsEndRestoresThem) {
    rig.controller->Indefinitely1Click(fakes::ItemFor(30));
    rig.automatic.SetChoices({.PauseOnBattery = true});
    rig.automatic.SetPower({.onBattery = true, .batteryPercent = 60});
    EXPECT_FALSE(TickRuns());
    EXPECT_TRUE(rig.view.statusChecked); // still wanted: a click switches off
    EXPECT_EQ(rig.view.trayIcons.back(), 0);
    EXPECT_EQ(LastState(), kRelease);
    EXPECT_FALSE(rig.powerRequest.held);
    EXPECT_EQ(rig.view.tip, L"&Staywick is paused (on battery)");
    // The manual state and its countdown run on.
    EXPECT_TRUE(rig.options.Active);
    EXPECT_TRUE(rig.countDownPort.Armed());

    rig.automatic.SetPower({.onBattery = false, .batteryPercent = 61});
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.view.trayIcons.back(), 1);
    EXPECT_EQ(LastState(), kRequest);
    EXPECT_TRUE(rig.powerRequest.held);
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (30 minutes)");
}

TEST_F(Automatic, PausedTickForcesNoWake) {
    rig.controller->MnuActiveClick();
    rig.automatic.SetPower({.onBattery = true, .lidClosed = true});
    EXPECT_EQ(rig.view.tip, L"&Staywick is paused (lid closed)");
    rig.clock.Advance(10 * 60000);
    EXPECT_TRUE(rig.input.keysPressed.empty());
}

TEST_F(Automatic, LockChoiceReleasesOnlyTheDisplay) {
    rig.controller->MnuActiveClick();
    rig.automatic.SetChoices({.DisplayOffWhenLocked = true});
    rig.automatic.SetPower({.sessionLocked = true});
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(LastState(), kSystemOnly);
    EXPECT_EQ(rig.powerRequest.held, L"system Staywick keeps this computer awake");
    EXPECT_EQ(rig.view.trayIcons.back(), 1);
    rig.automatic.SetPower({.sessionLocked = false});
    EXPECT_EQ(LastState(), kRequest);
    EXPECT_EQ(rig.powerRequest.held, L"Staywick keeps this computer awake");
}

TEST_F(Automatic, NotifySystemOffRequestsNothingAutomatically) {
    rig.options.NotifySystem = false;
    const auto before = rig.input.executionStates.size();
    rig.automatic.SetProgram(L"obs64.exe");
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.input.executionStates.size(), before);
    EXPECT_FALSE(rig.powerRequest.held);
}

TEST_F(Automatic, UnchangedFactsUpdateNothing) {
    rig.automatic.SetProgram(L"obs64.exe");
    const auto icons = rig.view.trayIcons.size();
    rig.automatic.SetProgram(L"obs64.exe");
    rig.automatic.SetPower({});
    EXPECT_EQ(rig.view.trayIcons.size(), icons);
}

// AllowAutomatic = 0: neither reason keeps the computer awake, whether the
// policy was there at start or arrives while the reason holds; the user's
// own switch still works; the reason counts again once the policy goes.
TEST(AutomaticPolicy, AllowAutomaticOffIgnoresEveryAutomaticReason) {
    struct ReasonCase {
        const char* name;
        void (*report)(AutomaticKeepAwake&);
        const wchar_t* caption; // once the policy goes
    };
    const ReasonCase cases[] = {
        {"program", [](AutomaticKeepAwake& a) { a.SetProgram(L"obs64.exe"); },
         L"&Staywick is active (while obs64.exe runs)"},
        {"schedule",
         [](AutomaticKeepAwake& a) {
             a.SetSchedule(LocalClockTime{17, 30});
         },
         L"&Staywick is active (scheduled until 17:30)"},
        {"program in front", [](AutomaticKeepAwake& a) { a.SetForeground(L"notepad.exe"); },
         L"&Staywick is active (while notepad.exe is in front)"},
        {"window title", [](AutomaticKeepAwake& a) { a.SetWindowTitle(L"*notepad*"); },
         L"&Staywick is active (while a window titled *notepad* is open)"},
    };
    for (const ReasonCase& c : cases) {
        for (const bool atStart : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (atStart ? " at start" : " while running"));
            KeepAwakeRig rig(State(false, 0, false));
            rig.automatic.Captions = {
                .foreground = L"&Staywick is active (while %1 is in front)",
                .windowTitle = L"&Staywick is active (while a window titled %1 is open)"};
            auto& ctl = rig.Create();
            const StaywickPolicy forbidden = MachinePolicy({{PolicyId::AllowAutomatic, 0}});
            if (atStart)
                ctl.SetPolicy(forbidden);
            rig.StartUp();
            c.report(rig.automatic);
            if (!atStart)
                ctl.PolicyChanged(forbidden);
            EXPECT_FALSE(rig.mainPort.Armed());
            EXPECT_FALSE(rig.view.statusChecked);
            EXPECT_EQ(rig.view.trayIcons.back(), 0);
            EXPECT_FALSE(rig.powerRequest.held);
            EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
            EXPECT_EQ(ctl.ApplyCommand({.kind = CommandKind::Status}), 0);

            ctl.MnuActiveClick(); // the user's own "on"
            EXPECT_TRUE(rig.mainPort.Armed());
            EXPECT_EQ(rig.view.tip, L"&Staywick is active");
            ctl.MnuActiveClick(); // and off again: nothing automatic is left
            EXPECT_FALSE(rig.mainPort.Armed());
            EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");

            ctl.PolicyChanged(StaywickPolicy{});
            // Switched off while it held, the reason stays overruled until it
            // ends; it applies again when it comes back.
            rig.automatic.SetProgram(L"");
            rig.automatic.SetSchedule(std::nullopt);
            rig.automatic.SetForeground(L"");
            rig.automatic.SetWindowTitle(L"");
            c.report(rig.automatic);
            EXPECT_TRUE(rig.mainPort.Armed());
            EXPECT_EQ(rig.view.tip, c.caption);
            EXPECT_FALSE(rig.options.Active);
            // Only an automatic reason keeps awake: on, with no end.
            EXPECT_EQ(ctl.ApplyCommand({.kind = CommandKind::Status}), 1);
        }
    }
}

// A session kept on by an automatic reason is no session the user started:
// a MaxMinutes cap gives it no end, while the user's own session still gets one.
TEST(AutomaticPolicy, MaxMinutesCapsOnlyTheUsersSession) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(MachinePolicy({{PolicyId::MaxMinutes, 1}}));
    rig.StartUp();
    rig.automatic.SetProgram(L"obs64.exe");
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while obs64.exe runs)");
    EXPECT_EQ(ctl.ApplyCommand({.kind = CommandKind::Status}), 1);
    rig.clock.Advance(120000);
    EXPECT_TRUE(rig.mainPort.Armed());

    rig.automatic.SetProgram(L"");
    ctl.MnuActiveClick(); // the user's own "on": capped
    EXPECT_TRUE(rig.countDownPort.Armed());
    EXPECT_EQ(ctl.ApplyCommand({.kind = CommandKind::Status}), 2);
    rig.clock.Advance(60000);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_FALSE(rig.mainPort.Armed());
}

// "/off" overrules an automatic reason as the status item does.
TEST_F(Automatic, OffCommandOverrulesTheProgram) {
    rig.automatic.SetProgram(L"obs64.exe");
    EXPECT_EQ(rig.controller->ApplyCommand({.kind = CommandKind::Off}), 0);
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.controller->ApplyCommand({.kind = CommandKind::Status}), 0);
}

} // namespace
} // namespace staywick
