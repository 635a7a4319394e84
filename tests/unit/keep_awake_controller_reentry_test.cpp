// The application-wide hook, and handlers that run inside a tick while the
// forced wake processes pending messages.
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;

constexpr std::uint32_t kWmSysCommand = 0x0112;

TStaywickOptions Options(bool active, std::int32_t activateFor = 0, std::int32_t sleepMax = 3) {
    TStaywickOptions o;
    o.Active = active;
    o.ActivateFor = activateFor;
    o.AutoStopped = false;
    o.SleepMax = sleepMax;
    return o;
}

struct HookCase {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    bool swallowed;
};
void PrintTo(const HookCase& c, std::ostream* os) {
    *os << c.name;
}

class AppMessageHook : public testing::TestWithParam<HookCase> {};

TEST_P(AppMessageHook, SwallowsScreenSaverAndMonitorPowerInEveryState) {
    for (const bool active : {true, false}) {
        KeepAwakeRig rig(Options(active));
        auto& c = rig.Create();
        c.UpdateActiveStatus();
        rig.input.SetLastInputTick(rig.clock.TickCount() - 180000); // at the limit
        bool handled = false;
        c.OnAppMessage(GetParam().message, GetParam().wParam, handled);
        EXPECT_EQ(handled, GetParam().swallowed) << "active " << active;
        // Swallowed means a tick ran: here a forced wake.
        EXPECT_EQ(rig.input.keysPressed.size(), GetParam().swallowed ? 2u : 0u);
        // A tick while off leaves TimerMain stopped.
        EXPECT_EQ(rig.mainPort.Armed(), active);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AppMessageHook,
    testing::Values(
        HookCase{
            .name = "ScreenSave", .message = kWmSysCommand, .wParam = 0xF140, .swallowed = true},
        HookCase{
            .name = "MonitorPower", .message = kWmSysCommand, .wParam = 0xF170, .swallowed = true},
        HookCase{.name = "LowBitsSetAreNotMasked",
                 .message = kWmSysCommand,
                 .wParam = 0xF142,
                 .swallowed = false},
        HookCase{.name = "MonitorPowerLowBits",
                 .message = kWmSysCommand,
                 .wParam = 0xF171,
                 .swallowed = false},
        HookCase{
            .name = "OtherCommand", .message = kWmSysCommand, .wParam = 0xF020, .swallowed = false},
        HookCase{.name = "OtherMessage", .message = 0x0111, .wParam = 0xF140, .swallowed = false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppMessageHook, ReAimingTickWhileOffDoesNotStartTheTimer) {
    KeepAwakeRig rig(Options(false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    rig.clock.Advance(5000);
    bool handled = false;
    c.OnAppMessage(kWmSysCommand, 0xF140, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(c.TimerMain.Interval(), 170000u);
    EXPECT_FALSE(rig.mainPort.Armed());
}

// TimerMain is at 5000 ms from creation; the limit is reached at 301000 ms;
// "5 Minutes" chosen at 1050 ms makes the countdown fall due at 301050 ms,
// i.e. during the forced wake's first pause, so it runs in the pump.
TEST(MidTick, CountDownExpiringDuringTheForcedWakeLeavesAConsistentState) {
    KeepAwakeRig rig(Options(true, 0, 5));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    rig.clock.AdvanceTo(1050);
    c.Indefinitely1Click(2);
    ASSERT_EQ(rig.countDownPort.Due(), 301050u);
    rig.clock.AdvanceTo(400000);

    EXPECT_EQ(rig.countDownPort.fireTimes, (std::vector<std::uint64_t>{301050}));
    // The interrupted tick completed its presses...
    EXPECT_EQ(rig.input.keysPressed.size(), 2u);
    // ...and the switch-off made inside it holds.
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
    EXPECT_FALSE(c.TimerMain.Enabled());
    EXPECT_FALSE(rig.mainPort.Armed());
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
    EXPECT_EQ(rig.view.trayIcons.back(), 0);
    EXPECT_EQ(rig.input.executionStates.back(), 0x80000000u);
    ASSERT_FALSE(rig.saved.empty());
    EXPECT_EQ(rig.saved.back(), rig.options);
    EXPECT_EQ(rig.mainPort.fireTimes.back(), 301000u); // no tick after the switch-off
}

TEST(MidTick, HooksOwnTickInsideTheWakeCompletesAndTheOuterWakeFinishes) {
    KeepAwakeRig rig(Options(true));
    auto& c = rig.Create();
    c.TimerMain.SetInterval(2000); // the retry phase just before the limit
    rig.clock.Advance(1000);
    rig.input.SetLastInputTick(rig.clock.TickCount() - 200000);
    rig.clock.Post([&] {
        bool handled = false;
        c.OnAppMessage(kWmSysCommand, 0xF170, handled);
    });
    c.TimerMainTimer();
    // Foregrounding is no input, so the nested tick still finds the limit
    // reached and wakes too (1050..1350); the outer wake then presses on
    // (..1600) and its 5000 ms equals the nested one's: phase kept.
    EXPECT_EQ(rig.input.keysPressed.size(), 4u);
    EXPECT_EQ(c.TimerMain.Interval(), 5000u);
    EXPECT_EQ(rig.clock.Now(), 1600u);
    EXPECT_EQ(rig.mainPort.Due(), 6350u);
}

TEST(MidTick, KeyChangedDuringThePumpAppliesToThePresses) {
    KeepAwakeRig rig(Options(true));
    auto& c = rig.Create();
    rig.input.SetLastInputTick(rig.clock.TickCount() - 180000);
    rig.clock.Post([&] { rig.options.InputKey = 1; }); // the Options dialog's OK
    c.TimerMainTimer();
    EXPECT_EQ(rig.input.keysPressed, (std::vector<std::int32_t>{1, 1}));
}

} // namespace
} // namespace staywick
