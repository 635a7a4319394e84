// "While a program runs..." and "/while" carried out by the controller: the
// program keeps the computer awake until it exits and then keep-awake ends
// as a countdown's does (status, tip, glyph, tick and requests), nothing of
// it is saved, the user's own "on" gives way to it, the user's "off" ends it,
// pauses win, and the policy or a program that does not run refuse it with a
// line of their own.
#include "engine/one_shot_waiter.h"
#include "engine/policy.h"
#include "engine/remote_command.h"
#include "fakes/fake_policy_store.h"
#include "fakes/fake_process_watch.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <string>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using fakes::MachinePolicy;
using fakes::State;

constexpr std::uint32_t kRequest = 0x80000003u;
constexpr std::uint32_t kRelease = 0x80000000u;

class OneShotKeepAwake : public ::testing::Test {
protected:
    explicit OneShotKeepAwake(TStaywickOptions initial = State(false, 0, false)) : rig(initial) {
        processes.Start(40, L"notepad.exe");
        processes.Start(50, L"render.exe");
        rig.Create().SetOneShotWaiter(&waiter);
        rig.StartUp();
    }
    KeepAwakeController& Ctl() { return *rig.controller; }
    bool TickRuns() { return rig.mainPort.Armed(); }
    void Ends(std::uint32_t id) {
        processes.End(id);
        rig.clock.Pump();
    }

    KeepAwakeRig rig;
    fakes::FakeTimerPort lookTimer{rig.clock};
    fakes::FakeProcessWatch processes{rig.clock};
    OneShotWaiter waiter{processes, lookTimer,
                         [this](const std::wstring& p) { rig.automatic.SetOneShot(p); }};
};

TEST_F(OneShotKeepAwake, KeepsAwakeUntilTheProgramExitsAsACountdownEnds) {
    EXPECT_EQ(Ctl().WhileProgramClick({40, L"notepad.exe"}), L"");
    EXPECT_TRUE(TickRuns());
    EXPECT_TRUE(rig.view.statusChecked);
    EXPECT_EQ(rig.view.trayIcons.back(), 1);
    EXPECT_EQ(rig.input.executionStates.back(), kRequest);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (while notepad.exe runs)");
    EXPECT_EQ(rig.view.tip, rig.view.caption);
    EXPECT_EQ(Ctl().ApplyCommand({CommandKind::Status}), 1);

    Ends(40);
    EXPECT_FALSE(TickRuns());
    EXPECT_FALSE(rig.view.statusChecked);
    EXPECT_EQ(rig.view.trayIcons.back(), 0);
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
    EXPECT_FALSE(rig.powerRequest.held);
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    EXPECT_FALSE(rig.countDownPort.Armed());
    // A one-shot is never saved: neither its start nor its end wrote the file.
    EXPECT_TRUE(rig.saved.empty());
    EXPECT_FALSE(rig.options.AutoStopped);
}

TEST_F(OneShotKeepAwake, UserOffEndsItAndUserOnIsTheUsersOwn) {
    Ctl().WhileProgramClick({0, L"render.exe"});
    Ctl().MnuActiveClick(); // off
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    EXPECT_FALSE(waiter.Waiting());
    EXPECT_TRUE(processes.waits.empty());
    Ends(50);
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");

    // Chosen again, then switched on by hand: the user's "on" wins and
    // outlasts the program.
    processes.Start(51, L"render.exe");
    Ctl().WhileProgramClick({0, L"render.exe"});
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while render.exe runs)");
    Ctl().MnuActiveClick(); // off: ends the one-shot
    Ctl().MnuActiveClick(); // on: the user's own
    EXPECT_EQ(rig.view.tip, L"&Staywick is active");
    Ends(51);
    EXPECT_TRUE(TickRuns());
    EXPECT_TRUE(rig.options.Active);
}

TEST_F(OneShotKeepAwake, ANewChoiceReplacesTheOld) {
    Ctl().WhileProgramClick({0, L"render.exe"});
    Ctl().WhileProgramClick({40, L""});
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while notepad.exe runs)");
    Ends(50);
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while notepad.exe runs)");
    Ends(40);
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
}

TEST_F(OneShotKeepAwake, PausesWinOverIt) {
    rig.automatic.SetChoices({.PauseOnBattery = true});
    Ctl().WhileProgramClick({40, L""});
    rig.automatic.SetPower({.onBattery = true, .batteryPercent = 60});
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is paused (on battery)");
    rig.automatic.SetPower({});
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while notepad.exe runs)");
}

// Refused: nothing changes, and each refusal says why.
TEST_F(OneShotKeepAwake, RefusalsSayWhyAndChangeNothing) {
    EXPECT_EQ(Ctl().WhileProgramClick({0, L"calc.exe"}), L"No program calc.exe is running");
    EXPECT_EQ(Ctl().WhileProgramClick({77, L""}), L"No process 77 is running");
    Ctl().SetPolicy(MachinePolicy({{PolicyId::AllowAutomatic, 0}}));
    EXPECT_EQ(Ctl().WhileProgramClick({40, L""}),
              L"Keeping awake while a program runs is turned off by your organization");
    EXPECT_FALSE(waiter.Waiting());
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    EXPECT_TRUE(rig.saved.empty());
}

TEST_F(OneShotKeepAwake, TheCommandAnswersItsLineAndCode) {
    const auto answer = [this](const wchar_t* program) {
        return Ctl().AnswerCommand({CommandKind::While, 0, program});
    };
    auto refused = answer(L"calc.exe");
    EXPECT_EQ(refused.code, 64);
    EXPECT_EQ(refused.line, L"No program calc.exe is running");
    EXPECT_EQ(answer(L"99").code, 64);
    EXPECT_EQ(Ctl().ApplyCommand({CommandKind::While, 0, L"99"}), 64);

    const auto done = answer(L"NOTEPAD.EXE");
    EXPECT_EQ(done.code, 0);
    EXPECT_EQ(done.line, L"Staywick is active (while notepad.exe runs)");
    EXPECT_EQ(Ctl().AnswerCommand({CommandKind::Status}).code, 1);
    EXPECT_EQ(answer(L"50").line, L"Staywick is active (while render.exe runs)");

    Ctl().SetPolicy(MachinePolicy({{PolicyId::AllowAutomatic, 0}}));
    const auto forbidden = answer(L"notepad.exe");
    EXPECT_EQ(forbidden.code, 64);
    EXPECT_EQ(forbidden.line,
              L"Keeping awake while a program runs is turned off by your organization");
}

// The user's own "on" (here a countdown) gives way: the program's end decides.
class OneShotWhileOn : public OneShotKeepAwake {
protected:
    OneShotWhileOn() : OneShotKeepAwake(State(true, 30, false)) {}
};

TEST_F(OneShotWhileOn, ChoosingItEndsTheUsersOnAndSavesThat) {
    EXPECT_TRUE(rig.countDownPort.Armed());
    EXPECT_EQ(Ctl().WhileProgramClick({40, L""}), L"");
    EXPECT_FALSE(rig.options.Active);
    ASSERT_FALSE(rig.saved.empty());
    EXPECT_FALSE(rig.saved.back().Active);
    EXPECT_FALSE(rig.saved.back().AutoStopped);
    EXPECT_EQ(rig.saved.back().ActivateFor, 30); // the user's choice for the next "on"
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_TRUE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (while notepad.exe runs)");
    const std::size_t saves = rig.saved.size();
    Ends(40);
    EXPECT_FALSE(TickRuns());
    EXPECT_EQ(rig.view.tip, L"&Staywick is disabled");
    EXPECT_EQ(rig.saved.size(), saves);
}

} // namespace
} // namespace staywick
