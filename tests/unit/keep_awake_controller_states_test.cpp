// On/off, "Activate for" and auto-stop states: transitions, countdown
// timing, the awake request and failures on the way.
#include "common/app_error.h"
#include "engine/activate_for_items.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;
using fakes::State;
using Positions = std::vector<std::size_t>;

constexpr std::uint64_t kMinute = 60000;

enum class Event { Toggle, Choose10Minutes, CountDownElapses, ProgramStart };

struct TransitionCase {
    const char* name;
    TStaywickOptions from;
    Event event;
    bool active;
    std::int32_t activateFor;
    bool autoStopped;
    bool saved;
};
void PrintTo(const TransitionCase& c, std::ostream* os) {
    *os << c.name;
}

class Transition : public testing::TestWithParam<TransitionCase> {};

TEST_P(Transition, FollowsTheStateTable) {
    const auto& p = GetParam();
    KeepAwakeRig rig(p.from);
    auto& c = rig.Create();
    if (p.event != Event::ProgramStart)
        c.UpdateActiveStatus(); // the running program
    rig.clock.Advance(kMinute);
    const std::uint64_t eventTime =
        p.event == Event::CountDownElapses ? rig.countDownPort.Due() : rig.clock.Now();
    switch (p.event) {
    case Event::Toggle:
        c.MnuActiveClick();
        break;
    case Event::Choose10Minutes:
        c.Indefinitely1Click(ItemFor(10));
        break;
    case Event::CountDownElapses:
        rig.clock.AdvanceTo(eventTime);
        break;
    case Event::ProgramStart:
        rig.StartUp();
        break;
    }
    EXPECT_EQ(rig.options.Active, p.active);
    EXPECT_EQ(rig.options.ActivateFor, p.activateFor);
    EXPECT_EQ(rig.options.AutoStopped, p.autoStopped);
    ASSERT_EQ(!rig.saved.empty(), p.saved);
    if (p.saved) {
        EXPECT_EQ(rig.saved.back(), rig.options);
    }
    // Timers, tray and awake request in step with the state.
    EXPECT_EQ(rig.mainPort.Armed(), p.active);
    EXPECT_EQ(rig.countDownPort.Armed(), p.active && p.activateFor > 0);
    if (rig.countDownPort.Armed()) {
        EXPECT_EQ(rig.countDownPort.Due(), eventTime + p.activateFor * kMinute);
    }
    EXPECT_EQ(rig.view.statusChecked, p.active);
    EXPECT_EQ(rig.view.trayIcons.back(), p.active ? 1 : 0);
    EXPECT_EQ(rig.input.executionStates.back(), p.active ? 0x80000003u : 0x80000000u);
}

INSTANTIATE_TEST_SUITE_P(
    States, Transition,
    testing::Values(
        TransitionCase{.name = "OffToggledOn",
                       .from = {.Active = false, .ActivateFor = 0, .AutoStopped = false},
                       .event = Event::Toggle,
                       .active = true,
                       .activateFor = 0,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "OffToggledOnCountsDown",
                       .from = {.Active = false, .ActivateFor = 30, .AutoStopped = false},
                       .event = Event::Toggle,
                       .active = true,
                       .activateFor = 30,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "AutoStoppedToggledOn",
                       .from = {.Active = false, .ActivateFor = 5, .AutoStopped = true},
                       .event = Event::Toggle,
                       .active = true,
                       .activateFor = 5,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "OnToggledOff",
                       .from = {.Active = true, .ActivateFor = 0, .AutoStopped = false},
                       .event = Event::Toggle,
                       .active = false,
                       .activateFor = 0,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "OnWithAutoStoppedToggledOffIsAutoStopped",
                       .from = {.Active = true, .ActivateFor = 15, .AutoStopped = true},
                       .event = Event::Toggle,
                       .active = false,
                       .activateFor = 15,
                       .autoStopped = true,
                       .saved = true},
        TransitionCase{.name = "OffDurationChosen",
                       .from = {.Active = false, .ActivateFor = 0, .AutoStopped = false},
                       .event = Event::Choose10Minutes,
                       .active = true,
                       .activateFor = 10,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "AutoStoppedDurationChosenKeepsFlag",
                       .from = {.Active = false, .ActivateFor = 5, .AutoStopped = true},
                       .event = Event::Choose10Minutes,
                       .active = true,
                       .activateFor = 10,
                       .autoStopped = true,
                       .saved = true},
        TransitionCase{.name = "CountingDownElapses",
                       .from = {.Active = true, .ActivateFor = 5, .AutoStopped = false},
                       .event = Event::CountDownElapses,
                       .active = false,
                       .activateFor = 5,
                       .autoStopped = true,
                       .saved = true},
        TransitionCase{.name = "AutoStoppedAtStartResumes",
                       .from = {.Active = false, .ActivateFor = 5, .AutoStopped = true},
                       .event = Event::ProgramStart,
                       .active = true,
                       .activateFor = 5,
                       .autoStopped = false,
                       .saved = true},
        TransitionCase{.name = "OffAtStartStaysOff",
                       .from = {.Active = false, .ActivateFor = 0, .AutoStopped = false},
                       .event = Event::ProgramStart,
                       .active = false,
                       .activateFor = 0,
                       .autoStopped = false,
                       .saved = false},
        TransitionCase{.name = "OnAtStartCountsDownAfresh",
                       .from = {.Active = true, .ActivateFor = 15, .AutoStopped = false},
                       .event = Event::ProgramStart,
                       .active = true,
                       .activateFor = 15,
                       .autoStopped = false,
                       .saved = false}),
    [](const auto& info) { return std::string(info.param.name); });

// Commands at given times, starting from Off with "Activate for" unset;
// keep-awake must switch itself off exactly at `ends`.
struct CountDownCase {
    const char* name;
    std::vector<std::pair<std::uint64_t, std::function<void(KeepAwakeController&)>>> steps;
    std::uint64_t ends;
};
void PrintTo(const CountDownCase& c, std::ostream* os) {
    *os << c.name;
}

class CountDown : public testing::TestWithParam<CountDownCase> {};

TEST_P(CountDown, EndsAtTheRightMoment) {
    KeepAwakeRig rig(State(false, 0, false));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    for (const auto& [at, command] : GetParam().steps) {
        rig.clock.AdvanceTo(at);
        command(c);
    }
    rig.clock.AdvanceTo(GetParam().ends - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.AdvanceTo(GetParam().ends);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_EQ(rig.countDownPort.fireTimes, (std::vector<std::uint64_t>{GetParam().ends}));
}

const auto kChoose5 = [](KeepAwakeController& c) { c.Indefinitely1Click(ItemFor(5)); };
const auto kChoose10 = [](KeepAwakeController& c) { c.Indefinitely1Click(ItemFor(10)); };
const auto kToggle = [](KeepAwakeController& c) { c.MnuActiveClick(); };

INSTANTIATE_TEST_SUITE_P(
    Rows, CountDown,
    testing::Values(
        CountDownCase{.name = "SameDurationTwiceKeepsFirstEnd",
                      .steps = {{0, kChoose5}, {2 * kMinute, kChoose5}},
                      .ends = 5 * kMinute},
        CountDownCase{.name = "OtherDurationCountsFromTheSecondChoice",
                      .steps = {{0, kChoose5}, {2 * kMinute, kChoose10}},
                      .ends = 12 * kMinute},
        CountDownCase{.name = "OffAndOnRestartsTheFullLength",
                      .steps = {{0, kChoose5}, {2 * kMinute, kToggle}, {2 * kMinute, kToggle}},
                      .ends = 7 * kMinute},
        CountDownCase{.name = "ChosenAgainLaterStillKeepsPhase",
                      .steps = {{0, kChoose10}, {3 * kMinute, kChoose10}, {9 * kMinute, kChoose10}},
                      .ends = 10 * kMinute}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CountDown, ExpirySavesAutoStopAndTheNextStartResumesAfresh) {
    KeepAwakeRig first(State(true, 720, false));
    first.Create();
    first.StartUp();
    EXPECT_EQ(first.countDownPort.Due(), 720 * kMinute);
    first.clock.AdvanceTo(720 * kMinute);
    EXPECT_EQ(first.view.caption, L"&Staywick is disabled");
    EXPECT_EQ(first.view.tip, L"&Staywick is disabled");
    ASSERT_FALSE(first.saved.empty());
    EXPECT_FALSE(first.saved.back().Active);
    EXPECT_TRUE(first.saved.back().AutoStopped);
    first.clock.AdvanceTo(800 * kMinute);
    EXPECT_EQ(first.countDownPort.fireTimes.size(), 1u);

    KeepAwakeRig next(first.saved.back());
    auto& c = next.Create();
    c.SelectItemActivateForStatus(next.options.ActivateFor);
    next.StartUp();
    EXPECT_TRUE(next.options.Active);
    EXPECT_FALSE(next.options.AutoStopped);
    EXPECT_EQ(next.view.CheckedPositions(), Positions{ItemFor(720)});
    EXPECT_EQ(next.countDownPort.Due(), 720 * kMinute);
    EXPECT_EQ(next.view.caption, L"&Staywick is active (12 hours)");
}

TEST(States, FirstRunSwitchOffResumesOnceThenStaysOff) {
    TStaywickOptions file; // no settings file: Active and AutoStopped both true
    for (int run = 0; run < 3; ++run) {
        KeepAwakeRig rig(file);
        rig.Create();
        rig.StartUp();
        EXPECT_EQ(rig.options.Active, run < 2) << "run " << run;
        if (rig.options.Active)
            rig.controller->MnuActiveClick();
        if (!rig.saved.empty())
            file = rig.saved.back();
    }
    EXPECT_FALSE(file.Active);
    EXPECT_FALSE(file.AutoStopped);
}

TEST(States, DurationAfterAutoStopThenOffStillResumes) {
    KeepAwakeRig rig(State(false, 5, true));
    auto& c = rig.Create();
    c.UpdateActiveStatus();
    c.Indefinitely1Click(ItemFor(30));
    c.MnuActiveClick();
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
}

TEST(States, ChoosingADurationReArmsTheTickUnlessItWasFiveSeconds) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& c = rig.Create();
    rig.clock.AdvanceTo(5000); // first tick: interval 175000 (idle 5000 -> 170000)
    ASSERT_EQ(c.TimerMain.Interval(), 170000u);
    rig.clock.Advance(1000);
    c.Indefinitely1Click(ItemFor(30));
    EXPECT_EQ(rig.mainPort.Due(), 11000u); // 5 s after the choice
    rig.clock.Advance(1000);
    c.Indefinitely1Click(ItemFor(60));
    EXPECT_EQ(rig.mainPort.Due(), 11000u); // interval already 5000: phase kept
}

TEST(States, NotifySystemOffNeverTouchesTheAwakeState) {
    TStaywickOptions o = State(false, 0, false);
    o.NotifySystem = false;
    KeepAwakeRig rig(o);
    auto& c = rig.Create();
    c.MnuActiveClick();
    c.Indefinitely1Click(ItemFor(5));
    c.MnuActiveClick();
    EXPECT_TRUE(rig.input.executionStates.empty());

    KeepAwakeRig on(State(false, 0, false));
    on.Create();
    on.controller->MnuActiveClick();
    on.controller->MnuActiveClick();
    EXPECT_EQ(on.input.executionStates, (std::vector<std::uint32_t>{0x80000003u, 0x80000000u}));
}

TEST(States, FailingSaveIsReportedAfterTheStateChanged) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& c = rig.Create();
    rig.saveHook = [] { throw AppError(L"Unable to write to X:\\Staywick.Settings"); };
    EXPECT_THROW(c.MnuActiveClick(), AppError);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_FALSE(rig.mainPort.Armed());
}

TEST(States, RefusedTimerStopsTheOperationBeforeSaving) {
    KeepAwakeRig rig(State(false, 5, false));
    auto& c = rig.Create();
    rig.countDownPort.refuse = true;
    try {
        c.MnuActiveClick();
        FAIL() << "the refusal must reach the error report";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), L"Not enough timers available");
    }
    EXPECT_TRUE(rig.options.Active); // changed before the refusal, and stays
    EXPECT_TRUE(rig.saved.empty());
}

// What a confirmed Options dialog leaves to the controller: the awake request
// released only when "Notify the system" went from on to off, one save, and
// the tick re-armed 5 s from the confirmation.
struct OptionsConfirmedCase {
    const char* name;
    bool notifyBefore;
    bool notifyAfter;
    std::vector<std::uint32_t> executionStates;
};
void PrintTo(const OptionsConfirmedCase& c, std::ostream* os) {
    *os << c.name;
}

class OptionsConfirmed : public testing::TestWithParam<OptionsConfirmedCase> {};

TEST_P(OptionsConfirmed, ReleasesOnlyWhenSwitchedOffSavesAndReArms) {
    const auto& p = GetParam();
    TStaywickOptions o = State(true, 0, false);
    o.NotifySystem = p.notifyBefore;
    KeepAwakeRig rig(o);
    auto& c = rig.Create();
    rig.clock.AdvanceTo(5000); // first tick re-aims far ahead
    ASSERT_GT(c.TimerMain.Interval(), 5000u);
    rig.input.executionStates.clear();
    rig.clock.Advance(1000);
    rig.options.NotifySystem = p.notifyAfter; // what OK wrote into the record
    c.OptionsConfirmed(p.notifyBefore);
    EXPECT_EQ(rig.input.executionStates, p.executionStates);
    ASSERT_EQ(rig.saved.size(), 1u);
    EXPECT_EQ(rig.saved.back().NotifySystem, p.notifyAfter);
    EXPECT_EQ(c.TimerMain.Interval(), 5000u);
    EXPECT_EQ(rig.mainPort.Due(), 11000u);
}

INSTANTIATE_TEST_SUITE_P(Notify, OptionsConfirmed,
                         testing::Values(OptionsConfirmedCase{.name = "OnToOff",
                                                              .notifyBefore = true,
                                                              .notifyAfter = false,
                                                              .executionStates = {0x80000000u}},
                                         OptionsConfirmedCase{.name = "OnStaysOn",
                                                              .notifyBefore = true,
                                                              .notifyAfter = true,
                                                              .executionStates = {}},
                                         OptionsConfirmedCase{.name = "OffToOnRequestsNothingYet",
                                                              .notifyBefore = false,
                                                              .notifyAfter = true,
                                                              .executionStates = {}},
                                         OptionsConfirmedCase{.name = "OffStaysOff",
                                                              .notifyBefore = false,
                                                              .notifyAfter = false,
                                                              .executionStates = {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OptionsConfirmed, AFailedSaveLeavesTheTickAsItWas) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& c = rig.Create();
    rig.clock.AdvanceTo(5000);
    const std::uint64_t due = rig.mainPort.Due();
    rig.saveHook = [] { throw AppError(L"Unable to write to X:\\Staywick.Settings"); };
    EXPECT_THROW(c.OptionsConfirmed(true), AppError);
    EXPECT_EQ(rig.mainPort.Due(), due);
}

} // namespace
} // namespace staywick
