// Sleep and resume, and the power request that says why the computer stays
// awake: the unattended-wake rule and the reason text as tables, then the
// controller on the virtual clock, where "asleep" is time that passes
// without any timer firing.
#include "engine/power_reason.h"
#include "engine/resume_rules.h"
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

constexpr std::uint64_t kSecond = 1000;
constexpr std::uint64_t kMinute = 60 * kSecond;
constexpr std::uint64_t kHour = 60 * kMinute;
constexpr std::uint32_t kRequest = 0x80000003u;
constexpr std::uint32_t kRelease = 0x80000000u;
constexpr wchar_t kReason[] = L"Staywick keeps this computer awake";

// --- The unattended-wake rule -------------------------------------------

struct RuleCase {
    const char* name;
    std::vector<ResumeKind> resumes; // each with the last input at 10000
    std::optional<std::uint64_t> ownInputAt = std::nullopt;
    std::uint64_t lastInputAt = 0; // when the forced wake is due
    bool holds = false;
};
void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class UnattendedRule : public testing::TestWithParam<RuleCase> {};

TEST_P(UnattendedRule, HoldsForcedWakesOnlyAfterAnUnattendedResumeWithoutInput) {
    const RuleCase& p = GetParam();
    UnattendedWakeRule rule;
    for (const ResumeKind kind : p.resumes)
        rule.Resumed(kind, 10000);
    if (p.ownInputAt)
        rule.OwnInputAt(*p.ownInputAt);
    EXPECT_EQ(rule.HoldsForcedWake(p.lastInputAt), p.holds);
    EXPECT_EQ(rule.Holding(), p.holds);
}

using enum ResumeKind;

INSTANTIATE_TEST_SUITE_P(
    Rows, UnattendedRule,
    testing::Values(
        RuleCase{.name = "NeverResumed", .resumes = {}, .lastInputAt = 10000, .holds = false},
        RuleCase{.name = "AutomaticWithoutInput",
                 .resumes = {Automatic},
                 .lastInputAt = 10000,
                 .holds = true},
        RuleCase{.name = "AutomaticWithReadingWobble",
                 .resumes = {Automatic},
                 .lastInputAt = 10500, // half a second: a reading's wobble
                 .holds = true},
        RuleCase{.name = "AutomaticThenInput",
                 .resumes = {Automatic},
                 .lastInputAt = 10501,
                 .holds = false},
        RuleCase{.name = "ByUser", .resumes = {ByUser}, .lastInputAt = 10000, .holds = false},
        RuleCase{.name = "AutomaticThenByUser",
                 .resumes = {Automatic, ByUser},
                 .lastInputAt = 10000,
                 .holds = false},
        RuleCase{.name = "ByUserThenAnotherAutomatic",
                 .resumes = {ByUser, Automatic},
                 .lastInputAt = 10000,
                 .holds = true},
        RuleCase{.name = "OwnPressesDuringTheHoldAreNoInput",
                 .resumes = {Automatic},
                 .ownInputAt = 20000,
                 .lastInputAt = 20000,
                 .holds = true},
        RuleCase{.name = "InputAfterOwnPressesEndsTheHold",
                 .resumes = {Automatic},
                 .ownInputAt = 20000,
                 .lastInputAt = 30000,
                 .holds = false},
        RuleCase{.name = "OwnPressesWithoutHoldChangeNothing",
                 .resumes = {ByUser},
                 .ownInputAt = 20000,
                 .lastInputAt = 20000,
                 .holds = false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnattendedRuleSequence, InputEndsTheHoldForGood) {
    UnattendedWakeRule rule;
    rule.Resumed(ResumeKind::Automatic, 10000);
    EXPECT_TRUE(rule.HoldsForcedWake(10000));
    EXPECT_FALSE(rule.HoldsForcedWake(50000));
    // A reading that wobbles back changes nothing: the user was there.
    EXPECT_FALSE(rule.HoldsForcedWake(10000));
}

// --- The reason text ----------------------------------------------------

struct ReasonCase {
    std::optional<LocalClockTime> until;
    const wchar_t* text;
};

TEST(PowerReason, TextWithAndWithoutTheCountdownEnd) {
    for (const ReasonCase& row :
         {ReasonCase{.until = std::nullopt, .text = L"Staywick keeps this computer awake"},
          ReasonCase{.until = LocalClockTime{.hour = 14, .minute = 30},
          .text = L"Staywick keeps this computer awake until 14:30"},
          ReasonCase{.until = LocalClockTime{.hour = 9, .minute = 5},
          .text = L"Staywick keeps this computer awake until 09:05"},
          ReasonCase{.until = LocalClockTime{.hour = 0, .minute = 0},
          .text = L"Staywick keeps this computer awake until 00:00"},
          ReasonCase{.until = LocalClockTime{.hour = 23, .minute = 59},
          .text = L"Staywick keeps this computer awake until 23:59"}}) {
        EXPECT_EQ(PowerRequestReason(row.until), row.text);
    }
}

struct TimeOfDayCase {
    std::uint64_t msSinceMidnight;
    LocalClockTime time;
};

TEST(PowerReason, TimeOfDayRoundsToTheNearestMinuteAndWraps) {
    for (const TimeOfDayCase& row :
         {TimeOfDayCase{.msSinceMidnight = 0, .time = {.hour = 0, .minute = 0}},
          TimeOfDayCase{.msSinceMidnight = 29999, .time = {.hour = 0, .minute = 0}},
          TimeOfDayCase{.msSinceMidnight = 30000, .time = {.hour = 0, .minute = 1}},
          TimeOfDayCase{.msSinceMidnight = 14 * kHour + 29 * kMinute + 40 * kSecond,
          .time = {.hour = 14, .minute = 30}},
          TimeOfDayCase{.msSinceMidnight = 23 * kHour + 59 * kMinute + 40 * kSecond,
          .time = {.hour = 0, .minute = 0}},
          TimeOfDayCase{.msSinceMidnight = 25 * kHour, .time = {.hour = 1, .minute = 0}}}) {
        EXPECT_EQ(ClockTimeOfDay(row.msSinceMidnight), row.time) << row.msSinceMidnight;
    }
}

// --- The controller at resume --------------------------------------------

TStaywickOptions Active(std::int32_t sleepMax, std::int32_t activateFor = 0) {
    TStaywickOptions o = State(true, activateFor, false);
    o.SleepMax = sleepMax;
    return o;
}

// Running, then asleep for `asleep` ms: time passes, no timer fires, no input.
KeepAwakeController& RunThenSleep(KeepAwakeRig& rig, std::uint64_t asleep) {
    auto& c = rig.Create();
    rig.StartUp();
    rig.clock.Advance(10 * kSecond);
    rig.clock.Sleep(static_cast<std::uint32_t>(asleep));
    return c;
}

class ResumeKinds : public testing::TestWithParam<ResumeKind> {};

TEST_P(ResumeKinds, BringsTimersAwakeRequestStatusAndIconBackInStep) {
    KeepAwakeRig rig(Active(3));
    auto& c = RunThenSleep(rig, kHour);
    // Out of step while asleep: the request gone, the timer in an old phase.
    rig.powerRequest.held.reset();
    const std::size_t iconsBefore = rig.view.trayIcons.size();
    rig.view.caption.clear();
    rig.view.tip.clear();
    ASSERT_NE(c.TimerMain.Interval(), 5000u);

    c.PowerResumed(GetParam());
    const std::uint64_t resumedAt = rig.clock.Now();
    if (GetParam() == ResumeKind::ByUser) {
        EXPECT_EQ(rig.input.executionStates.back(), kRequest);
        EXPECT_EQ(rig.powerRequest.held, std::optional<std::wstring>(kReason));
    } else {
        // Nobody is there yet: the system may go back to sleep.
        EXPECT_EQ(rig.input.executionStates.back(), kRelease);
        EXPECT_FALSE(rig.powerRequest.held.has_value());
    }
    EXPECT_EQ(rig.view.caption, L"&Staywick is active");
    EXPECT_EQ(rig.view.tip, L"&Staywick is active");
    EXPECT_TRUE(rig.view.statusChecked);
    ASSERT_EQ(rig.view.trayIcons.size(), iconsBefore + 1);
    EXPECT_EQ(rig.view.trayIcons.back(), 1);
    // Aimed afresh, as after a forced wake.
    EXPECT_TRUE(rig.mainPort.Armed());
    EXPECT_EQ(rig.mainPort.Due(), resumedAt + 5000);
    EXPECT_EQ(c.TimerMain.Interval(), 5000u);
    EXPECT_TRUE(rig.saved.empty()) << "nothing changed that is saved";
}

TEST_P(ResumeKinds, KeepAwakeOffStaysOffWithItsTimersStopped) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(GetParam());
    EXPECT_FALSE(rig.mainPort.Armed());
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
    rig.clock.Advance(10 * kMinute);
    EXPECT_TRUE(rig.input.keysPressed.empty());
}

TEST_P(ResumeKinds, ACountdownThatRanOutWhileAsleepEndsAtOnce) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    c.Indefinitely1Click(ItemFor(5));
    rig.saved.clear();
    rig.clock.Advance(kMinute);
    rig.clock.Sleep(static_cast<std::uint32_t>(kHour)); // its timer never fired

    c.PowerResumed(GetParam());
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
    ASSERT_EQ(rig.saved.size(), 1u);
    EXPECT_EQ(rig.saved.back(), rig.options);
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
    EXPECT_FALSE(rig.powerRequest.held.has_value());
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_FALSE(rig.mainPort.Armed());
    rig.clock.Advance(kHour);
    EXPECT_TRUE(rig.countDownPort.fireTimes.empty()) << "it ended once, at the resume";
}

TEST_P(ResumeKinds, ACountdownStillRunningKeepsItsEnd) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    c.Indefinitely1Click(ItemFor(5));
    rig.clock.Sleep(static_cast<std::uint32_t>(2 * kMinute));
    c.PowerResumed(GetParam());
    EXPECT_TRUE(rig.options.Active);
    rig.clock.AdvanceTo(5 * kMinute - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.AdvanceTo(5 * kMinute);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ResumeKinds,
                         testing::Values(ResumeKind::Automatic, ResumeKind::ByUser),
                         [](const auto& info) {
                             return std::string(info.param == ResumeKind::Automatic ? "Automatic"
                                                                                    : "ByUser");
                         });

// What each sequence of resume messages does to the forced wakes of the
// first minute after it, and that real input always brings them back.
struct ResumeCase {
    const char* name;
    std::vector<ResumeKind> messages;
    std::int32_t sleepMax;
    bool pressesBeforeInput;
};
void PrintTo(const ResumeCase& c, std::ostream* os) {
    *os << c.name;
}

class ResumeSequence : public testing::TestWithParam<ResumeCase> {};

TEST_P(ResumeSequence, ForcedWakesWaitForInputOnlyAfterAnUnattendedWake) {
    const ResumeCase& p = GetParam();
    KeepAwakeRig rig(Active(p.sleepMax));
    auto& c = RunThenSleep(rig, kHour);
    rig.input.keysPressed.clear();
    for (const ResumeKind kind : p.messages)
        c.PowerResumed(kind);
    const std::size_t ticksBefore = rig.mainPort.fireTimes.size();
    rig.clock.Advance(kMinute);
    EXPECT_GT(rig.mainPort.fireTimes.size(), ticksBefore) << "the tick keeps running";
    EXPECT_EQ(!rig.input.keysPressed.empty(), p.pressesBeforeInput);
    // The requests are held exactly when the presses are not held back.
    EXPECT_EQ(rig.input.executionStates.back(), p.pressesBeforeInput ? kRequest : kRelease);
    EXPECT_EQ(rig.powerRequest.held.has_value(), p.pressesBeforeInput);

    // Somebody is there: from now on the idle limit rules as before.
    rig.input.UserInput();
    const std::uint64_t inputAt = rig.clock.Now();
    const std::size_t pressesAtInput = rig.input.keysPressed.size();
    const std::uint64_t limit = static_cast<std::uint64_t>(p.sleepMax) * kMinute;
    rig.clock.AdvanceTo(inputAt + limit + 5 * kSecond);
    EXPECT_GT(rig.input.keysPressed.size(), pressesAtInput);
    EXPECT_EQ(rig.input.executionStates.back(), kRequest);
    EXPECT_EQ(rig.powerRequest.held, std::optional<std::wstring>(kReason));
}

INSTANTIATE_TEST_SUITE_P(Rows, ResumeSequence,
                         testing::Values(ResumeCase{.name = "AutomaticAlone",
                                                    .messages = {Automatic},
                                                    .sleepMax = 3,
                                                    .pressesBeforeInput = false},
                                         ResumeCase{.name = "AutomaticAloneLimitZero",
                                                    .messages = {Automatic},
                                                    .sleepMax = 0,
                                                    .pressesBeforeInput = false},
                                         ResumeCase{.name = "ByUser",
                                                    .messages = {ByUser},
                                                    .sleepMax = 3,
                                                    .pressesBeforeInput = true},
                                         ResumeCase{.name = "AutomaticThenByUser",
                                                    .messages = {Automatic, ByUser},
                                                    .sleepMax = 3,
                                                    .pressesBeforeInput = true},
                                         ResumeCase{.name = "ByUserThenAnotherUnattendedWake",
                                                    .messages = {ByUser, Automatic},
                                                    .sleepMax = 0,
                                                    .pressesBeforeInput = false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResumeHold, InputBringsForcedWakesBackAtTheNextTick) {
    KeepAwakeRig rig(Active(0)); // every tick is due to force a wake
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(ResumeKind::Automatic);
    rig.input.keysPressed.clear();
    rig.clock.Advance(kMinute);
    ASSERT_TRUE(rig.input.keysPressed.empty());
    const std::uint32_t heldInterval = c.TimerMain.Interval();
    EXPECT_EQ(heldInterval, 5000u) << "a held tick polls every 5 s";
    rig.input.UserInput();
    rig.clock.Advance(heldInterval);
    EXPECT_EQ(rig.input.keysPressed.size(), 2u) << "one forced wake, two presses";
    EXPECT_EQ(c.TimerMain.Interval(), 5000u);
    rig.clock.Advance(5000);
    EXPECT_EQ(rig.input.keysPressed.size(), 4u) << "and the next one 5 s later";
}

TEST(ResumeHold, AResumeHandledInsideAForcedWakeStillHolds) {
    KeepAwakeRig rig(Active(0));
    auto& c = rig.Create();
    rig.StartUp();
    rig.input.keysPressed.clear();
    // The resume message waits in the queue; the forced wake's pump runs it
    // just before the simulated presses.
    rig.clock.Post([&] { c.PowerResumed(ResumeKind::Automatic); });
    rig.clock.Advance(5000);
    ASSERT_EQ(rig.input.keysPressed.size(), 2u) << "the wake under way completes";
    rig.clock.Advance(kMinute);
    EXPECT_EQ(rig.input.keysPressed.size(), 2u) << "its own presses are not the user";
}

TEST(ResumeHold, ScreenSaverCommandDuringTheHoldPressesNoKey) {
    KeepAwakeRig rig(Active(3));
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(ResumeKind::Automatic);
    rig.input.keysPressed.clear();
    bool handled = false;
    c.OnAppMessage(0x0112, 0xF140, handled);
    EXPECT_TRUE(handled) << "still swallowed";
    EXPECT_TRUE(rig.input.keysPressed.empty());
}

// --- The unattended hold and the awake requests ---------------------------

TEST(UnattendedHold, NeitherRequestIsHeldAndBothComeBackWithInput) {
    KeepAwakeRig rig(Active(3, 720)); // counting down to 01:00
    auto& c = RunThenSleep(rig, kHour);
    ASSERT_TRUE(rig.powerRequest.held.has_value()) << "held before the sleep";
    rig.input.events.clear();

    c.PowerResumed(ResumeKind::Automatic);
    EXPECT_EQ(rig.input.events, std::vector<std::string>{"release"});
    EXPECT_FALSE(rig.powerRequest.held.has_value());
    EXPECT_EQ(rig.powerRequest.calls.back(), L"release");

    // Two minutes unattended: the ticks poll every 5 s and hold nothing.
    const std::size_t ticksBefore = rig.mainPort.fireTimes.size();
    rig.clock.Advance(2 * kMinute);
    EXPECT_EQ(rig.mainPort.fireTimes.size() - ticksBefore, 24u);
    EXPECT_EQ(rig.mainPort.ArmedInterval(), 5000u);
    EXPECT_EQ(rig.input.events, std::vector<std::string>{"release"}) << "no request, no key";
    EXPECT_FALSE(rig.powerRequest.held.has_value());

    rig.clock.Advance(2 * kSecond);
    rig.input.UserInput();
    rig.clock.Advance(5 * kSecond - 1);
    EXPECT_EQ(rig.input.events, (std::vector<std::string>{"release", "request"}))
        << "back at the first tick after the input";
    EXPECT_EQ(rig.powerRequest.held,
              std::optional<std::wstring>(std::wstring(kReason) + L" until 01:00"));
    EXPECT_NE(rig.mainPort.ArmedInterval(), 5000u) << "aimed at the idle limit again";
}

TEST(UnattendedHold, AResumeByTheUserBringsBothBack) {
    KeepAwakeRig rig(Active(3));
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(ResumeKind::Automatic);
    rig.clock.Advance(30 * kSecond);
    ASSERT_FALSE(rig.powerRequest.held.has_value());
    c.PowerResumed(ResumeKind::ByUser);
    EXPECT_EQ(rig.input.executionStates.back(), kRequest);
    EXPECT_EQ(rig.powerRequest.held, std::optional<std::wstring>(kReason));
}

TEST(UnattendedHold, ChangesOfTheStatusDuringTheHoldRequestNothing) {
    KeepAwakeRig rig(Active(3));
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(ResumeKind::Automatic);
    c.UpdateActiveStatus(); // as a toggle or a chosen duration would
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
    EXPECT_FALSE(rig.powerRequest.held.has_value());
}

TEST(UnattendedHold, TheLogShowsTheHoldOnceAndThenEveryChange) {
    KeepAwakeRig rig(Active(3));
    rig.diagnostics.logEnabled = true;
    auto& c = RunThenSleep(rig, kHour);
    c.PowerResumed(ResumeKind::Automatic);
    rig.diagnostics.lines.clear();
    rig.clock.Advance(kMinute);
    const std::vector<std::wstring> held = {L"log|Im in the timer",
                                            L"log|  GetIdleTime: 3615000",
                                            L"log|  >= : 180000",
                                            L"log|IdelTime: 3615000",
                                            L"log|  aNewInterval: -3440000",
                                            L"log|  timer interval at: 5000"};
    EXPECT_EQ(rig.diagnostics.lines, held) << "twelve polls, one entry";

    rig.input.UserInput();
    rig.clock.Advance(5 * kSecond);
    ASSERT_EQ(rig.diagnostics.lines.size(), held.size() + 6u);
    EXPECT_EQ(rig.diagnostics.lines[held.size()], L"log|Im in the timer");
    EXPECT_EQ(rig.diagnostics.lines.back(), L"log|  timer interval at: 170000");
    rig.clock.Advance(kMinute);
    EXPECT_EQ(rig.diagnostics.lines.size(), held.size() + 6u) << "no tick until the limit nears";

    // The next unattended wake is written again.
    c.PowerSuspending();
    rig.clock.Sleep(static_cast<std::uint32_t>(kHour));
    c.PowerResumed(ResumeKind::Automatic);
    rig.clock.Advance(10 * kSecond);
    EXPECT_EQ(rig.diagnostics.lines.size(), held.size() + 12u);
}

// --- Suspend and the timers ------------------------------------------------

TEST(Suspend, StopsTheTickUntilAResumeMessageDecides) {
    KeepAwakeRig rig(Active(0)); // every tick is due to force a wake
    auto& c = rig.Create();
    rig.StartUp();
    rig.clock.Advance(10 * kSecond);
    c.PowerSuspending();
    EXPECT_FALSE(rig.mainPort.Armed());
    rig.input.keysPressed.clear();
    const std::size_t ticks = rig.mainPort.fireTimes.size();

    // Awake again, the resume message not yet handled: no tick, and a
    // swallowed screen-saver command presses nothing either.
    rig.clock.Sleep(static_cast<std::uint32_t>(kHour));
    rig.clock.Advance(kMinute);
    bool handled = false;
    c.OnAppMessage(0x0112, 0xF140, handled);
    EXPECT_TRUE(handled);
    c.UpdateActiveStatus();
    rig.clock.Advance(kMinute);
    EXPECT_EQ(rig.mainPort.fireTimes.size(), ticks);
    EXPECT_TRUE(rig.input.keysPressed.empty());

    c.PowerResumed(ResumeKind::Automatic);
    EXPECT_TRUE(rig.mainPort.Armed());
    rig.clock.Advance(kMinute);
    EXPECT_GT(rig.mainPort.fireTimes.size(), ticks);
    EXPECT_TRUE(rig.input.keysPressed.empty()) << "the unattended hold still holds";
}

TEST(Suspend, ACountdownIsReArmedAtItsEndAtResume) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    c.Indefinitely1Click(ItemFor(5)); // ends at 5 minutes
    rig.clock.AdvanceTo(kMinute);
    c.PowerSuspending();
    // Asleep for 2 minutes that the window timer does not count: left alone,
    // it would end at 7 minutes.
    rig.clock.SleepUncountedByTimers(2 * kMinute);
    ASSERT_EQ(rig.countDownPort.Due(), 7 * kMinute);

    c.PowerResumed(ResumeKind::ByUser);
    EXPECT_EQ(rig.countDownPort.Due(), 5 * kMinute);
    c.Indefinitely1Click(ItemFor(5)); // the same again: its end stays
    rig.clock.AdvanceTo(5 * kMinute - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.AdvanceTo(5 * kMinute);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
    EXPECT_EQ(rig.countDownPort.fireTimes, std::vector<std::uint64_t>{5 * kMinute});
}

// --- The power request -------------------------------------------------

TEST(PowerRequestHeld, HeldWithTheReasonAndTheCountdownEnd) {
    KeepAwakeRig rig(Active(3)); // the fake's local time is 13:00 at time 0
    auto& c = rig.Create();
    rig.StartUp();
    EXPECT_EQ(rig.powerRequest.held, std::optional<std::wstring>(kReason));

    rig.clock.AdvanceTo(10 * kMinute);
    c.Indefinitely1Click(ItemFor(30)); // a countdown starts: ends 13:40
    EXPECT_EQ(rig.powerRequest.held,
              std::optional<std::wstring>(std::wstring(kReason) + L" until 13:40"));
    rig.clock.AdvanceTo(15 * kMinute);
    c.Indefinitely1Click(ItemFor(30)); // the same again: its end is unchanged
    EXPECT_EQ(rig.powerRequest.calls.back(), std::wstring(L"hold ") + kReason + L" until 13:40");
    c.Indefinitely1Click(ItemFor(720)); // 12 hours from 13:15
    EXPECT_EQ(*rig.powerRequest.held, std::wstring(kReason) + L" until 01:15");
    c.Indefinitely1Click(ItemFor(0)); // the countdown ends by choice
    EXPECT_EQ(rig.powerRequest.held, std::optional<std::wstring>(kReason));
}

TEST(PowerRequestHeld, ReleasedWhereTheAwakeStateIsReleased) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    c.Indefinitely1Click(ItemFor(5));
    ASSERT_TRUE(rig.powerRequest.held.has_value());
    rig.clock.Advance(5 * kMinute); // the countdown ends
    EXPECT_FALSE(rig.powerRequest.held.has_value());
    EXPECT_EQ(rig.powerRequest.calls.back(), L"release");
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);

    c.MnuActiveClick(); // on: held again
    ASSERT_TRUE(rig.powerRequest.held.has_value());
    c.MnuActiveClick(); // off
    EXPECT_FALSE(rig.powerRequest.held.has_value());
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);

    c.MnuActiveClick();
    rig.options.NotifySystem = false; // switched off in the Options dialog
    c.OptionsConfirmed(true);
    EXPECT_FALSE(rig.powerRequest.held.has_value());
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
}

TEST(PowerRequestHeld, NeverHeldWithoutNotifySystem) {
    TStaywickOptions o = Active(3, 30);
    o.NotifySystem = false;
    KeepAwakeRig rig(o);
    auto& c = rig.Create();
    rig.StartUp();
    c.Indefinitely1Click(ItemFor(60));
    c.MnuActiveClick();
    EXPECT_TRUE(rig.powerRequest.calls.empty());
    EXPECT_TRUE(rig.input.executionStates.empty());
}

TEST(PowerRequestHeld, ARefusalLeavesTheExecutionStateToCarryOn) {
    KeepAwakeRig rig(Active(3, 30));
    rig.powerRequest.refuse = true;
    auto& c = rig.Create();
    EXPECT_NO_THROW(rig.StartUp());
    EXPECT_EQ(rig.input.executionStates.back(), kRequest);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (30 minutes)");
    EXPECT_TRUE(rig.saved.empty()) << "nothing reported or saved";
    EXPECT_NO_THROW(c.MnuActiveClick());
    EXPECT_EQ(rig.input.executionStates.back(), kRelease);
}

} // namespace
} // namespace staywick
