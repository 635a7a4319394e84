// What the policies make of the controller: MaxMinutes with each "Activate
// for" item, indefinitely included; no key ever pressed without simulated
// input; overridden settings; a policy that changes while running.
#include "engine/activate_for_items.h"
#include "engine/policy.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;

struct CapCase {
    std::int64_t item; // minutes of the chosen item; 0 "&Indefinitely"
    bool enabled;      // the item can be chosen under a 60-minute cap
    std::uint64_t endsAfter;
    const wchar_t* caption; // the clock reads 13:00 at time 0, the choice comes at 13:01
};

TEST(ControllerPolicy, MaxMinutesCapsEveryActivateForItem) {
    const CapCase cases[] = {
        {0, true, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {5, true, 5 * kMinute, L"&Staywick is active (5 minutes)"},
        {10, true, 10 * kMinute, L"&Staywick is active (10 minutes)"},
        {15, true, 15 * kMinute, L"&Staywick is active (15 minutes)"},
        {30, true, 30 * kMinute, L"&Staywick is active (30 minutes)"},
        {60, true, 60 * kMinute, L"&Staywick is active (1 hours)"},
        {120, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {240, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {360, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {480, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {600, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
        {720, false, 60 * kMinute, L"&Staywick is active (until 14:01)"},
    };
    for (const CapCase& c : cases) {
        SCOPED_TRACE(c.item);
        KeepAwakeRig rig(State(false, 0, false));
        auto& ctl = rig.Create();
        ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::MaxMinutes, 60}}));
        rig.StartUp();
        EXPECT_EQ(rig.view.enabled[ItemFor(c.item)], c.enabled);
        rig.clock.Advance(kMinute);
        // A disabled item cannot be chosen from the menu; should a click come
        // through all the same, the cap still holds.
        ctl.Indefinitely1Click(ItemFor(c.item));
        EXPECT_EQ(rig.view.caption, c.caption);
        EXPECT_EQ(rig.view.tip, c.caption);
        EXPECT_EQ(rig.countDownPort.Due(), kMinute + c.endsAfter);
        rig.clock.Advance(c.endsAfter - 1);
        EXPECT_TRUE(rig.options.Active);
        rig.clock.Advance(1);
        EXPECT_FALSE(rig.options.Active);
        // Ended as a countdown ends: saved off and auto-stopped.
        ASSERT_FALSE(rig.saved.empty());
        EXPECT_FALSE(rig.saved.back().Active);
        EXPECT_TRUE(rig.saved.back().AutoStopped);
        EXPECT_EQ(rig.saved.back().ActivateFor, static_cast<std::int32_t>(c.item));
    }
}

// An end set by a time is capped too: under MaxMinutes the capped countdown
// decides the end, so "Until..." four hours ahead ends after the cap's hour.
TEST(ControllerPolicy, MaxMinutesCapsAnEndSetByATime) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::MaxMinutes, 60}}));
    rig.StartUp();
    ctl.ActivateUntilClick(17 * 60); // the rig's clock reads 13:00
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 14:00)");
    EXPECT_EQ(ctl.StatusCode(), 2);
    rig.clock.Advance(60 * kMinute - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
    ASSERT_FALSE(rig.saved.empty());
    EXPECT_EQ(rig.saved.back(), rig.options);
}

// Indefinitely under a cap has an end, which /status reports.
TEST(ControllerPolicy, UnderACapIndefinitelyCountsAsOnWithAnEnd) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    rig.StartUp();
    EXPECT_EQ(ctl.StatusCode(), 1);
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::MaxMinutes, 30}}));
    EXPECT_EQ(ctl.StatusCode(), 2);
}

TEST(ControllerPolicy, WithoutACapEveryItemStaysEnabledAndIndefinitelyNeverEnds) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::HideDonate, 1}}));
    rig.StartUp();
    for (bool enabled : rig.view.enabled)
        EXPECT_TRUE(enabled);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active");
    EXPECT_FALSE(ctl.TimerCountDown.Enabled());
}

TEST(ControllerPolicy, ACapAtStartEndsTheResumedSessionAndThePowerRequestNamesTheEnd) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::MaxMinutes, 1}}));
    rig.StartUp();
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 13:01)");
    ASSERT_TRUE(rig.powerRequest.held);
    EXPECT_EQ(*rig.powerRequest.held, L"Staywick keeps this computer awake until 13:01");
    rig.clock.Advance(59000);
    EXPECT_TRUE(rig.options.Active) << "not before the minute is up";
    rig.clock.Advance(1000);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
    EXPECT_FALSE(rig.powerRequest.held);
    // Saved as a countdown's end; the user's own choice stays "indefinitely".
    ASSERT_FALSE(rig.saved.empty());
    EXPECT_FALSE(rig.saved.back().Active);
    EXPECT_TRUE(rig.saved.back().AutoStopped);
    EXPECT_EQ(rig.saved.back().ActivateFor, 0);
}

TEST(ControllerPolicy, NoSimulatedInputPressesNoKeyAndHoldsTheAwakeRequest) {
    TStaywickOptions o = State(true, 0, false);
    o.SleepMax = 0; // every tick is at the limit
    o.NotifySystem = false;
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}));
    rig.diagnostics.logEnabled = true;
    rig.StartUp();
    rig.clock.Advance(60 * kMinute);
    EXPECT_TRUE(rig.input.keysPressed.empty());
    ASSERT_FALSE(rig.input.executionStates.empty());
    EXPECT_EQ(rig.input.executionStates.front(), 0x80000003u); // continuous, system, display
    EXPECT_TRUE(rig.powerRequest.held);
    // One tick per forced-wake interval at most, no wake line.
    EXPECT_EQ(ctl.TimerMain.Interval(), 5000u);
    EXPECT_EQ(std::count(rig.diagnostics.lines.begin(), rig.diagnostics.lines.end(),
                         L"log|Forced system wake up"),
              0);
    EXPECT_NE(std::count(rig.diagnostics.lines.begin(), rig.diagnostics.lines.end(),
                         L"log|No key pressed: simulated input is not allowed by policy"),
              0);
    EXPECT_FALSE(rig.options.NotifySystem); // the user's own value stays
}

TEST(ControllerPolicy, NoSimulatedInputArrivingWhileRunningStopsThePresses) {
    TStaywickOptions o = State(true, 0, false);
    o.SleepMax = 0; // every tick is at the limit
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    rig.StartUp();
    rig.clock.Advance(10000);
    ASSERT_FALSE(rig.input.keysPressed.empty()) << "keys are pressed before the policy";
    const std::size_t pressed = rig.input.keysPressed.size();
    ctl.PolicyChanged(fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}));
    rig.clock.Advance(60 * kMinute);
    EXPECT_EQ(rig.input.keysPressed.size(), pressed) << "a key was pressed after the policy";
    EXPECT_TRUE(rig.powerRequest.held);
}

TEST(ControllerPolicy, NoSimulatedInputWithALongLimitTicksOncePerLimit) {
    TStaywickOptions o = State(true, 0, false);
    o.SleepMax = 3;
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}));
    rig.StartUp();
    rig.clock.Advance(10 * kMinute);
    EXPECT_TRUE(rig.input.keysPressed.empty());
    EXPECT_EQ(ctl.TimerMain.Interval(), 180000u);
}

TEST(ControllerPolicy, SetSleepMaxAndInputKeyDecideTheWakeButTheRecordKeepsTheUsers) {
    TStaywickOptions o = State(true, 0, false);
    o.SleepMax = 30;
    o.InputKey = 0;
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::SleepMax, 1}, {PolicyId::InputKey, 2}}));
    rig.StartUp();
    rig.clock.Advance(kMinute + 5000);
    ASSERT_FALSE(rig.input.keysPressed.empty());
    EXPECT_EQ(rig.input.keysPressed.front(), 2);
    EXPECT_EQ(rig.options.SleepMax, 30);
    EXPECT_EQ(rig.options.InputKey, 0);
}

TEST(ControllerPolicy, NotifySystemOffByPolicyNeverRequestsTheAwakeState) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::NotifySystem, 0}}));
    rig.StartUp();
    EXPECT_TRUE(rig.input.executionStates.empty());
    EXPECT_FALSE(rig.powerRequest.held);
    EXPECT_TRUE(rig.options.NotifySystem);
}

TEST(ControllerPolicy, ChangesWhileRunningTakeEffectAtOnce) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    rig.StartUp();
    ASSERT_TRUE(rig.powerRequest.held);
    rig.clock.Advance(10 * kMinute);

    // A cap arrives: it counts from its arrival.
    ctl.PolicyChanged(fakes::MachinePolicy({{PolicyId::MaxMinutes, 15}}));
    EXPECT_FALSE(rig.view.enabled[ItemFor(30)]);
    EXPECT_TRUE(rig.view.enabled[ItemFor(15)]);
    EXPECT_EQ(rig.countDownPort.Due(), 25 * kMinute);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 13:25)");

    // NotifySystem switched off by policy: the request goes at once.
    const std::size_t statesBefore = rig.input.executionStates.size();
    ctl.PolicyChanged(
        fakes::MachinePolicy({{PolicyId::MaxMinutes, 15}, {PolicyId::NotifySystem, 0}}));
    ASSERT_GT(rig.input.executionStates.size(), statesBefore);
    EXPECT_EQ(rig.input.executionStates.back(), 0x80000000u);
    EXPECT_FALSE(rig.powerRequest.held);

    // Every policy gone: the user's settings and an endless session are back.
    ctl.PolicyChanged(StaywickPolicy{});
    EXPECT_TRUE(rig.view.enabled[ItemFor(720)]);
    EXPECT_FALSE(ctl.TimerCountDown.Enabled());
    EXPECT_EQ(rig.view.caption, L"&Staywick is active");
    EXPECT_TRUE(rig.powerRequest.held);
    rig.clock.Advance(60 * kMinute);
    EXPECT_TRUE(rig.options.Active);
}

TEST(ControllerPolicy, OptionsConfirmedReleasesOnlyWhatThePolicyNoLongerAsksFor) {
    // Without simulated input the awake request stays, whatever the user unticks.
    KeepAwakeRig rig(State(true, 0, false));
    auto& ctl = rig.Create();
    ctl.SetPolicy(fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}));
    rig.StartUp();
    rig.options.NotifySystem = false;
    const std::size_t before = rig.input.executionStates.size();
    ctl.OptionsConfirmed(true);
    EXPECT_EQ(rig.input.executionStates.size(), before);
    EXPECT_TRUE(rig.powerRequest.held);
}

// Turned off by policy while "/D" shows why: nothing keeps awake any more.
TEST(ControllerPolicy, HaltStopsEveryTickAndReleasesTheRequestsButKeepsTheRecord) {
    TStaywickOptions o = State(true, 30, false);
    o.SleepMax = 0; // every tick would press a key
    KeepAwakeRig rig(o);
    auto& ctl = rig.Create();
    rig.StartUp();
    ASSERT_FALSE(rig.input.keysPressed.empty());
    const std::size_t keys = rig.input.keysPressed.size();
    ctl.Halt();
    EXPECT_EQ(rig.input.executionStates.back(), 0x80000000u);
    EXPECT_FALSE(rig.powerRequest.held);
    rig.clock.Advance(60 * kMinute);
    bool handled = false;
    ctl.OnAppMessage(0x0112, 0xF140, handled); // SC_SCREENSAVE
    EXPECT_TRUE(handled);
    EXPECT_EQ(rig.input.keysPressed.size(), keys);
    ctl.PowerResumed(ResumeKind::ByUser); // a resume brings nothing back
    EXPECT_EQ(rig.input.executionStates.back(), 0x80000000u);
    EXPECT_FALSE(rig.powerRequest.held);
    rig.clock.Advance(60 * kMinute);
    EXPECT_EQ(rig.input.keysPressed.size(), keys);
    EXPECT_FALSE(ctl.TimerMain.Enabled());
    EXPECT_FALSE(ctl.TimerCountDown.Enabled());
    EXPECT_EQ(rig.options, o) << "the record is left as it is";
}

} // namespace
} // namespace staywick
