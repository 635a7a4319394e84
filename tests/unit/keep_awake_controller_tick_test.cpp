// The keep-awake tick over the virtual clock: re-aiming, the forced wake,
// the limits, its diagnostic lines and a failing log line.
#include "common/app_error.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::KeepAwakeRig;
using Lines = std::vector<std::wstring>;
using Times = std::vector<std::uint64_t>;

TStaywickOptions Options(std::int32_t sleepMax) {
    TStaywickOptions o;
    o.SleepMax = sleepMax;
    o.AutoStopped = false;
    return o;
}

// The idle time the next reading will give.
void SetIdle(KeepAwakeRig& rig, std::uint32_t idle) {
    rig.input.SetLastInputTick(rig.clock.TickCount() - idle);
}

TEST(Tick, IdleHourWithSleepMax3FollowsTheExampleTable) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    c.TimerDebug.SetEnabled(true); // the debug lines show each decision
    rig.clock.AdvanceTo(356300);

    EXPECT_EQ(rig.diagnostics.lines,
              (Lines{L"dbg|timer interval at: 170000", L"dbg|timer interval at: 2000",
                     L"dbg|timer interval at: 2000", L"dbg|timer interval at: 2000",
                     L"dbg|Forced system wake up", L"dbg|timer interval at: 170000",
                     L"dbg|timer interval at: 2000"}));
    // The wake blocks 300 ms (181000..181300); 5000 ms later the tick aims again.
    EXPECT_EQ(rig.mainPort.fireTimes,
              (Times{5000, 175000, 177000, 179000, 181000, 186300, 356300}));
    EXPECT_EQ(rig.input.keysPressed, (std::vector<std::int32_t>{0, 0}));
}

struct DecisionCase {
    const char* name;
    std::int32_t sleepMax;
    std::uint32_t idle;
    bool forced;
    std::uint32_t interval; // the interval in force afterwards
};
void PrintTo(const DecisionCase& c, std::ostream* os) {
    *os << c.name;
}

class TickDecision : public testing::TestWithParam<DecisionCase> {};

TEST_P(TickDecision, ChoosesBetweenReAimAndForcedWake) {
    const auto& p = GetParam();
    KeepAwakeRig rig(Options(p.sleepMax));
    auto& c = rig.Create();
    rig.clock.Advance(1000);
    SetIdle(rig, p.idle);
    c.TimerMainTimer();
    EXPECT_EQ(rig.input.keysPressed.size(), p.forced ? 2u : 0u);
    EXPECT_EQ(c.TimerMain.Interval(), p.interval);
    EXPECT_EQ(rig.mainPort.ArmedInterval(), p.interval);
}

constexpr std::uint32_t kMaxInterval = 2147478647u; // INT32_MAX - 5000

INSTANTIATE_TEST_SUITE_P(
    Limits, TickDecision,
    testing::Values(
        DecisionCase{
            .name = "JustActive", .sleepMax = 3, .idle = 0, .forced = false, .interval = 175000},
        DecisionCase{.name = "CandidateZeroGives2000",
                     .sleepMax = 3,
                     .idle = 175000,
                     .forced = false,
                     .interval = 2000},
        DecisionCase{.name = "OneBelowLimit",
                     .sleepMax = 3,
                     .idle = 179999,
                     .forced = false,
                     .interval = 2000},
        DecisionCase{.name = "EqualToLimitForcesWake",
                     .sleepMax = 3,
                     .idle = 180000,
                     .forced = true,
                     .interval = 5000},
        DecisionCase{.name = "HugeUnsignedIdleForcesWake",
                     .sleepMax = 3,
                     .idle = 0xFFFFFFFFu,
                     .forced = true,
                     .interval = 5000},
        DecisionCase{.name = "OneMinuteCandidateZero",
                     .sleepMax = 1,
                     .idle = 55000,
                     .forced = false,
                     .interval = 2000},
        DecisionCase{.name = "SleepMaxZeroAlwaysWakes",
                     .sleepMax = 0,
                     .idle = 0,
                     .forced = true,
                     .interval = 5000},
        DecisionCase{.name = "SleepMaxNegativeAlwaysWakes",
                     .sleepMax = -1,
                     .idle = 0,
                     .forced = true,
                     .interval = 5000},
        DecisionCase{.name = "VeryNegativeDoesNotWrapPositive",
                     .sleepMax = -40000,
                     .idle = 0,
                     .forced = true,
                     .interval = 5000},
        DecisionCase{.name = "DialogMaximum",
                     .sleepMax = 9999,
                     .idle = 0,
                     .forced = false,
                     .interval = 599935000},
        DecisionCase{.name = "JustBeyond32BitsMeansLongLimit",
                     .sleepMax = 35792,
                     .idle = 0,
                     .forced = false,
                     .interval = kMaxInterval},
        DecisionCase{.name = "LargestSleepMax",
                     .sleepMax = std::numeric_limits<std::int32_t>::max(),
                     .idle = 1000,
                     .forced = false,
                     .interval = kMaxInterval - 1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Tick, SleepMaxZeroWakesEveryFiveSeconds) {
    KeepAwakeRig rig(Options(0));
    rig.Create();
    rig.clock.AdvanceTo(60000);
    // Interval 5000 is never a different value, so the phase holds exactly.
    EXPECT_EQ(rig.mainPort.fireTimes.size(), 12u);
    for (std::size_t i = 0; i < rig.mainPort.fireTimes.size(); ++i) {
        EXPECT_EQ(rig.mainPort.fireTimes[i], 5000u * (i + 1));
    }
    EXPECT_EQ(rig.input.keysPressed.size(), 24u);
}

TEST(Tick, FailingIdleReadingNeverForcesAWake) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    rig.input.idleFails = true;
    rig.clock.AdvanceTo(3600000);
    EXPECT_TRUE(rig.input.keysPressed.empty());
    EXPECT_EQ(c.TimerMain.Interval(), 175000u);
    EXPECT_EQ(rig.mainPort.fireTimes.size(), 21u); // 5000, then every 175000 ms
}

TEST(Tick, TickCounterWrapBetweenInputAndTickIsHarmless) {
    KeepAwakeRig rig(Options(3), 0xFFFFFFFFu - 1000); // wraps 1001 ms in
    auto& c = rig.Create();
    rig.clock.AdvanceTo(5000);
    EXPECT_TRUE(rig.input.keysPressed.empty());
    EXPECT_EQ(c.TimerMain.Interval(), 170000u);
}

TEST(Tick, ForcedWakeStepsAndBlockingTime) {
    KeepAwakeRig rig(Options(3));
    rig.options.InputKey = 1;
    rig.Create();
    rig.clock.Advance(1000);
    SetIdle(rig, 180000);
    rig.clock.Advance(4000); // TimerMain's first tick at 5000 ms
    EXPECT_EQ(rig.input.events, (std::vector<std::string>{"foreground", "sleep 50", "pump", "key 1",
                                                          "sleep 50", "key 1"}));
    EXPECT_EQ(rig.clock.LongestHandlerMs(), 300u);
    // The interval was 5000 already, so the timer keeps its phase.
    EXPECT_EQ(rig.mainPort.Due(), 10000u);
}

TEST(TickLog, ReAimingTickWritesOpeningAndIntervalLines) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    rig.diagnostics.logEnabled = true;
    c.TimerDebug.SetEnabled(true);
    SetIdle(rig, 177000);
    c.TimerMainTimer();
    EXPECT_EQ(rig.diagnostics.lines,
              (Lines{L"log|Im in the timer", L"log|  GetIdleTime: 177000", L"log|  >= : 180000",
                     L"dbg|timer interval at: 2000", L"log|IdelTime: 177000",
                     L"log|  aNewInterval: -2000", L"log|  timer interval at: 2000"}));
}

TEST(TickLog, ForcedWakeWritesWindowLineBeforeLogLine) {
    KeepAwakeRig rig(Options(40000)); // beyond 32 bits: the limit actually used is logged
    auto& c = rig.Create();
    rig.diagnostics.logEnabled = true;
    c.TimerDebug.SetEnabled(true);
    SetIdle(rig, 0xFFFFFFF0u);
    c.TimerMainTimer();
    EXPECT_EQ(
        rig.diagnostics.lines,
        (Lines{L"log|Im in the timer", L"log|  GetIdleTime: 4294967280", L"log|  >= : 2147483647",
               L"dbg|Forced system wake up", L"log|Forced system wake up"}));
}

// "/D" shows the idle time every 5 s.
TEST(TickLog, TheDebugTimerTicksEveryFiveSeconds) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    int ticks = 0;
    c.TimerDebug.SetOnTimer([&] { ++ticks; });
    c.TimerDebug.SetEnabled(true);
    rig.clock.Advance(4999);
    EXPECT_EQ(ticks, 0);
    rig.clock.Advance(1);
    EXPECT_EQ(ticks, 1);
    rig.clock.Advance(10000);
    EXPECT_EQ(ticks, 3);
}

TEST(TickLog, LogOffWritesNothingToTheLog) {
    KeepAwakeRig rig(Options(3));
    rig.Create();
    rig.clock.AdvanceTo(200000);
    EXPECT_TRUE(rig.diagnostics.lines.empty());
    EXPECT_EQ(rig.diagnostics.logLinesTried, 0);
}

class TickLogFailure : public testing::TestWithParam<int> {};

TEST_P(TickLogFailure, FailingOpeningLineLeavesTheDecisionUntaken) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    rig.diagnostics.logEnabled = true;
    rig.diagnostics.failLogAt = GetParam();
    rig.clock.Advance(1000);
    for (const std::uint32_t idle : {180000u, 5000u}) { // a wake due, then a re-aim due
        SetIdle(rig, idle);
        rig.diagnostics.logLinesTried = 0;
        EXPECT_THROW(c.TimerMainTimer(), AppError);
        EXPECT_TRUE(rig.input.events.empty()) << "no wake at idle " << idle;
        EXPECT_EQ(c.TimerMain.Interval(), 5000u) << "no re-aim at idle " << idle;
        EXPECT_EQ(rig.mainPort.Due(), 5000u) << "the timer runs on in its phase";
    }
}

INSTANTIATE_TEST_SUITE_P(OpeningLines, TickLogFailure, testing::Values(0, 1, 2));

TEST(TickLog, FailingIntervalLineEndsTheTickAfterTheReAim) {
    KeepAwakeRig rig(Options(3));
    auto& c = rig.Create();
    rig.diagnostics.logEnabled = true;
    rig.diagnostics.failLogAt = 3; // "IdelTime: "
    SetIdle(rig, 5000);
    EXPECT_THROW(c.TimerMainTimer(), AppError);
    EXPECT_EQ(c.TimerMain.Interval(), 170000u);
    EXPECT_EQ(rig.diagnostics.lines.size(), 3u);
}

} // namespace
} // namespace staywick
