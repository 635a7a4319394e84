// Start-up that always completes: a refused settings write or a log line that
// cannot be written during start-up is raised only after the timers, the awake
// request and the status are in step with the record, and TimerMain ticks only
// while keep-awake is on.
#include "common/app_error.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;
using fakes::State;

constexpr std::uint64_t kMinute = 60000;
const std::wstring kRefusedSave = L"Unable to write to X:\\Staywick.Settings";
const std::wstring kLogFailure = L"Cannot create file \"X:\\Staywick.log\". The path was not found";

struct StartUpCase {
    const char* name;
    TStaywickOptions loaded = {};
    bool refuseSaves = false;
    bool logFails = false; // the log is on and the tick's first line cannot be written
    // What start-up raises at its end, if anything.
    std::optional<std::wstring> error = std::nullopt;
    bool active = false;
    bool autoStopped = false;
    std::wstring caption = {};
    // Minutes until the countdown ends; 0 when it does not run.
    std::int32_t countDownMinutes = 0;
    bool ticked = false; // the tick at once ran past its log lines and re-aimed
};
void PrintTo(const StartUpCase& c, std::ostream* os) {
    *os << c.name;
}

class StartUp : public testing::TestWithParam<StartUpCase> {};

TEST_P(StartUp, CompletesThenRaisesTheFirstError) {
    const auto& p = GetParam();
    KeepAwakeRig rig(p.loaded);
    auto& c = rig.Create();
    if (p.refuseSaves)
        rig.saveHook = [] { throw AppError(kRefusedSave); };
    rig.diagnostics.logEnabled = p.logFails;
    if (p.logFails)
        rig.diagnostics.failLogAt = 0;

    std::optional<std::wstring> raised;
    try {
        c.Start();
    } catch (const AppError& e) {
        raised = e.Text();
    }
    EXPECT_EQ(raised, p.error);

    // The record keeps what was loaded or chosen, whatever was refused.
    EXPECT_EQ(rig.options.Active, p.active);
    EXPECT_EQ(rig.options.AutoStopped, p.autoStopped);
    EXPECT_EQ(rig.options.ActivateFor, p.loaded.ActivateFor);
    // Timers, awake request and tray show the true state.
    EXPECT_EQ(rig.mainPort.Armed(), p.active);
    EXPECT_EQ(rig.countDownPort.Armed(), p.countDownMinutes > 0);
    if (p.countDownMinutes > 0) {
        EXPECT_EQ(rig.countDownPort.Due(), p.countDownMinutes * kMinute);
    }
    EXPECT_EQ(rig.view.statusChecked, p.active);
    EXPECT_EQ(rig.view.caption, p.caption);
    EXPECT_EQ(rig.view.tip, p.caption);
    ASSERT_FALSE(rig.view.trayIcons.empty());
    EXPECT_EQ(rig.view.trayIcons.back(), p.active ? 1 : 0);
    ASSERT_FALSE(rig.input.executionStates.empty());
    EXPECT_EQ(rig.input.executionStates.back(), p.active ? 0x80000003u : 0x80000000u);
    // A tick that re-aimed left the interval far from the 5000 ms of the status.
    EXPECT_EQ(c.TimerMain.Interval() != 5000u, p.ticked);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartUp,
    testing::Values(StartUpCase{.name = "RefusedResumptionStillSwitchesOnAndCountsDown",
                                .loaded = State(false, 5, true),
                                .refuseSaves = true,
                                .error = kRefusedSave,
                                .active = true,
                                .autoStopped = false,
                                .caption = L"&Staywick is active (5 minutes)",
                                .countDownMinutes = 5,
                                .ticked = true},
                    StartUpCase{.name = "RefusedResumptionAndFailingLogRaiseTheFirst",
                                .loaded = State(false, 0, true),
                                .refuseSaves = true,
                                .logFails = true,
                                .error = kRefusedSave,
                                .active = true,
                                .autoStopped = false,
                                .caption = L"&Staywick is active"},
                    StartUpCase{.name = "FailingLogAtTheFirstTickAfterTheStatus",
                                .loaded = State(true, 30, false),
                                .logFails = true,
                                .error = kLogFailure,
                                .active = true,
                                .caption = L"&Staywick is active (30 minutes)",
                                .countDownMinutes = 30},
                    StartUpCase{.name = "OffNeedsNoWriteSoARefusalRaisesNothing",
                                .loaded = State(false, 15, false),
                                .refuseSaves = true,
                                .active = false,
                                .caption = L"&Staywick is disabled"},
                    StartUpCase{.name = "OnNeedsNoWrite",
                                .loaded = State(true, 0, true),
                                .refuseSaves = true,
                                .active = true,
                                .autoStopped = true,
                                .caption = L"&Staywick is active",
                                .ticked = true}),
    [](const auto& info) { return std::string(info.param.name); });

// The whole start-up of a settings file that cannot be written, holding
// Active=0, ActivateFor=7 (no such item) and a limit of 0 minutes: loading
// marks "&Indefinitely" and its save is refused, start-up goes on, and no tick
// ever comes, so no key is pressed although every tick would force a wake.
TEST(StartUpRefused, UnknownDurationOffWithLimitZeroNeverTicks) {
    TStaywickOptions loaded = State(false, 7, false);
    loaded.SleepMax = 0;
    KeepAwakeRig rig(loaded);
    auto& c = rig.Create();
    rig.saveHook = [] { throw AppError(kRefusedSave); };

    EXPECT_THROW(c.SelectItemActivateForStatus(loaded.ActivateFor), AppError);
    EXPECT_EQ(rig.options.ActivateFor, 0) << "the chosen value stays in memory";
    EXPECT_EQ(rig.view.CheckedPositions(), std::vector<std::size_t>{ItemFor(0)});

    EXPECT_NO_THROW(c.Start());
    EXPECT_FALSE(rig.options.Active);
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
    EXPECT_FALSE(rig.mainPort.Armed());
    rig.clock.Advance(10 * kMinute);
    EXPECT_TRUE(rig.mainPort.fireTimes.empty());
    EXPECT_TRUE(rig.input.keysPressed.empty());
    EXPECT_EQ(rig.input.idleReadings, 0);
}

// A refused resumption leaves keep-awake on: it keeps awake from then on,
// and the countdown ends it at its time.
TEST(StartUpRefused, ResumedDespiteARefusedWriteKeepsAwakeAndCountsDown) {
    TStaywickOptions loaded = State(false, 5, true);
    loaded.SleepMax = 1;
    KeepAwakeRig rig(loaded);
    auto& c = rig.Create();
    rig.saveHook = [] { throw AppError(kRefusedSave); };
    EXPECT_THROW(c.Start(), AppError);
    rig.saveHook = nullptr; // the countdown's save below may go through

    rig.clock.AdvanceTo(4 * kMinute);
    EXPECT_FALSE(rig.input.keysPressed.empty()) << "idle past the 1-minute limit: a forced wake";
    rig.clock.AdvanceTo(5 * kMinute);
    EXPECT_FALSE(rig.options.Active) << "the countdown ran";
    EXPECT_TRUE(rig.options.AutoStopped);
    const std::size_t pressed = rig.input.keysPressed.size();
    rig.clock.Advance(10 * kMinute);
    EXPECT_EQ(rig.input.keysPressed.size(), pressed) << "no tick after the stop";
}

} // namespace
} // namespace staywick
