// Commands for the running instance on each state of the controller: what
// changes, what is saved, the exit code, and that a second run of the same
// command changes nothing. Then the end set by a time: it follows the wall
// clock through clock changes, daylight saving and sleep.
#include "engine/keep_awake_controller.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;

constexpr std::uint64_t kMinute = 60000;
constexpr std::uint64_t kHour = 60 * kMinute;
constexpr std::int32_t k1700 = 17 * 60; // four hours after the rig's 13:00
// The rig's clock reads 13:00 on 5 January 2026 (UTC, the local time too);
// these are local readings in milliseconds since 1970.
constexpr std::int64_t kToday1700 = 1767632400000;
constexpr std::int64_t kTomorrow1000 = 1767693600000;
constexpr std::int64_t kDay = 86400000;

TStaywickOptions Options(bool active, std::int32_t activateFor, bool autoStopped,
                         std::optional<std::int32_t> until = std::nullopt,
                         std::optional<std::int64_t> end = std::nullopt) {
    TStaywickOptions o = fakes::State(active, activateFor, autoStopped);
    o.ActivateUntil = until;
    o.ActivateUntilEnd = end;
    return o;
}

const TStaywickOptions kOff = Options(false, 0, false);
const TStaywickOptions kAutoStopped = Options(false, 30, true);
const TStaywickOptions kOnIndefinitely = Options(true, 0, false);
const TStaywickOptions kOnFor30 = Options(true, 30, false);
// 45 minutes is no item's length: it is kept as the user's own.
const TStaywickOptions kOnFor45 = [] {
    TStaywickOptions o = Options(true, 45, false);
    o.ActivateForMinutes = 45;
    return o;
}();
const TStaywickOptions kOnUntil = Options(true, 0, false, k1700, kToday1700);

struct Row {
    const char* name;
    TStaywickOptions before;
    RemoteCommand command;
    TStaywickOptions after; // the record once the command ran
    int exitCode;
};

const RemoteCommand kOn{CommandKind::On};
const RemoteCommand kOffCmd{CommandKind::Off};
const RemoteCommand kFor30{CommandKind::For, 30};
const RemoteCommand kFor45{CommandKind::For, 45};
const RemoteCommand kUntil{CommandKind::Until, k1700};
const RemoteCommand kStatus{CommandKind::Status};
const RemoteCommand kExit{CommandKind::Exit};

class Commands : public ::testing::TestWithParam<Row> {};

TEST_P(Commands, ChangeOnlyWhatIsNotAlreadySoAndSaveOnce) {
    const Row& row = GetParam();
    KeepAwakeRig rig(row.before);
    KeepAwakeController& controller = rig.Create();
    controller.UpdateActiveStatus(); // timers and status in step, no resumption
    EXPECT_EQ(controller.ApplyCommand(row.command), row.exitCode);
    EXPECT_EQ(rig.options, row.after);
    const bool changed = !(row.before == row.after);
    EXPECT_EQ(rig.saved.size(), changed ? 1u : 0u);
    EXPECT_EQ(rig.view.statusChecked, row.after.Active);

    // The same command again: nothing changes, nothing is saved.
    const std::size_t saves = rig.saved.size();
    EXPECT_EQ(controller.ApplyCommand(row.command), row.exitCode);
    EXPECT_EQ(rig.options, row.after);
    EXPECT_EQ(rig.saved.size(), saves);
}

INSTANTIATE_TEST_SUITE_P(
    EveryState, Commands,
    ::testing::Values(Row{"OnFromOff", kOff, kOn, kOnIndefinitely, 0},
                      Row{"OnFromAutoStopped", kAutoStopped, kOn, kOnIndefinitely, 0},
                      Row{"OnWhileOn", kOnIndefinitely, kOn, kOnIndefinitely, 0},
                      Row{"OnEndsACountdown", kOnFor30, kOn, kOnIndefinitely, 0},
                      Row{"OnEndsAnEndTime", kOnUntil, kOn, kOnIndefinitely, 0},
                      Row{"OffWhileOff", kOff, kOffCmd, kOff, 0},
                      Row{"OffWhileAutoStoppedKeepsIt", kAutoStopped, kOffCmd, kAutoStopped, 0},
                      Row{"OffFromOn", kOnIndefinitely, kOffCmd, Options(false, 0, false), 0},
                      Row{"OffFromCountdown", kOnFor30, kOffCmd, Options(false, 30, false), 0},
                      Row{"OffFromEndTime", kOnUntil, kOffCmd, Options(false, 0, false, k1700), 0},
                      Row{"ForFromOff", kOff, kFor30, Options(true, 30, false), 0},
                      Row{"ForFromAutoStoppedKeepsAutoStopped", kAutoStopped, kFor30,
                          Options(true, 30, true), 0},
                      Row{"ForFromOn", kOnIndefinitely, kFor30, kOnFor30, 0},
                      Row{"ForTheRunningDuration", kOnFor30, kFor30, kOnFor30, 0},
                      Row{"ForAnotherDuration", kOnFor30, kFor45, kOnFor45, 0},
                      Row{"ForEndsAnEndTime", kOnUntil, kFor30, kOnFor30, 0},
                      Row{"UntilFromOff", kOff, kUntil, kOnUntil, 0},
                      Row{"UntilFromCountdown", kOnFor30, kUntil, kOnUntil, 0},
                      Row{"UntilTheRunningTime", kOnUntil, kUntil, kOnUntil, 0},
                      Row{"UntilAnotherTime", kOnUntil, RemoteCommand{CommandKind::Until, 600},
                          Options(true, 0, false, 600, kTomorrow1000), 0},
                      Row{"StatusOff", kOff, kStatus, kOff, 0},
                      Row{"StatusAutoStopped", kAutoStopped, kStatus, kAutoStopped, 0},
                      Row{"StatusOnIndefinitely", kOnIndefinitely, kStatus, kOnIndefinitely, 1},
                      Row{"StatusCountingDown", kOnFor30, kStatus, kOnFor30, 2},
                      Row{"StatusUntil", kOnUntil, kStatus, kOnUntil, 2},
                      Row{"ExitChangesNothingHere", kOnFor30, kExit, kOnFor30, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandsToggle, SwitchesLikeTheDoubleClickAndBackAgain) {
    for (const TStaywickOptions& before :
         {kOff, kAutoStopped, kOnIndefinitely, kOnFor30, kOnUntil}) {
        KeepAwakeRig rig(before);
        KeepAwakeController& controller = rig.Create();
        controller.UpdateActiveStatus();
        EXPECT_EQ(controller.ApplyCommand({CommandKind::Toggle}), 0);
        EXPECT_EQ(rig.options.Active, !before.Active);
        EXPECT_EQ(controller.ApplyCommand({CommandKind::Toggle}), 0);
        EXPECT_EQ(rig.options.Active, before.Active);
        EXPECT_EQ(rig.saved.size(), 2u);
    }
}

TEST(CommandsMenu, TheMatchingItemCarriesTheOnlyCheckMark) {
    KeepAwakeRig rig(kOff);
    KeepAwakeController& controller = rig.Create();
    controller.SelectActivateItemAtLoad();
    controller.ApplyCommand(kFor30);
    EXPECT_EQ(rig.view.CheckedPositions(), std::vector<std::size_t>{ItemFor(30)});
    EXPECT_FALSE(rig.view.untilChecked);
    controller.ApplyCommand(kFor45); // no such item
    EXPECT_TRUE(rig.view.CheckedPositions().empty());
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (45 minutes)");
    controller.ApplyCommand(kUntil);
    EXPECT_TRUE(rig.view.CheckedPositions().empty());
    EXPECT_TRUE(rig.view.untilChecked);
    controller.ApplyCommand(kOn);
    EXPECT_EQ(rig.view.CheckedPositions(), std::vector<std::size_t>{0});
    EXPECT_FALSE(rig.view.untilChecked);
    controller.ApplyCommand(kUntil);
    controller.Indefinitely1Click(ItemFor(60)); // a menu item ends the end time
    EXPECT_FALSE(rig.view.untilChecked);
    EXPECT_FALSE(rig.options.ActivateUntil.has_value());
}

TEST(CommandsStatusLine, CaptionWithoutAmpersandAndTheEnd) {
    KeepAwakeRig rig(kOff);
    KeepAwakeController& controller = rig.Create();
    controller.UpdateActiveStatus();
    EXPECT_EQ(controller.StatusLine(), L"Staywick is disabled");
    controller.ApplyCommand(kFor30);
    EXPECT_EQ(controller.StatusLine(), L"Staywick is active (30 minutes), ends at 13:30");
    controller.ApplyCommand(kOn);
    EXPECT_EQ(controller.StatusLine(), L"Staywick is active");
    controller.ApplyCommand(kUntil);
    EXPECT_EQ(controller.StatusLine(), L"Staywick is active (until 17:00)");
}

// The end set by a time.
class Until : public ::testing::Test {
protected:
    Until() : rig(kOff) { rig.Create().UpdateActiveStatus(); }
    KeepAwakeController& Controller() { return *rig.controller; }
    KeepAwakeRig rig;
};

TEST_F(Until, EndsWhenTheClockShowsTheTimeAndRecordsAutoStopped) {
    Controller().ActivateUntilClick(k1700);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 17:00)");
    EXPECT_EQ(rig.view.tip, L"&Staywick is active (until 17:00)");
    EXPECT_EQ(rig.powerRequest.held, L"Staywick keeps this computer awake until 17:00");
    EXPECT_EQ(Controller().StatusCode(), 2);
    rig.clock.Advance(4 * kHour - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
    EXPECT_EQ(rig.options.ActivateUntil, k1700); // comes back at the next start
    EXPECT_EQ(rig.saved.back(), rig.options);
    EXPECT_EQ(rig.view.caption, L"&Staywick is disabled");
}

TEST_F(Until, AClockSetPastTheEndEndsItAtOnce) {
    Controller().ActivateUntilClick(k1700);
    rig.clock.Advance(kHour);
    rig.monotonic.wallShiftMs = 3 * static_cast<std::int64_t>(kHour); // now 17:00
    Controller().WallClockChanged();
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
}

TEST_F(Until, AClockSetBackMovesTheEnd) {
    Controller().ActivateUntilClick(k1700);
    rig.monotonic.wallShiftMs = -2 * static_cast<std::int64_t>(kHour); // now 11:00
    Controller().WallClockChanged();
    rig.clock.Advance(6 * kHour - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
}

struct SetBackRow {
    const char* name;
    std::int64_t backMs;   // the wall clock set back by this much at 13:00
    bool told;             // WM_TIMECHANGE came; else the hourly look finds it
    std::uint64_t lastsMs; // from 13:00 until the session ends
};

// A clock set back far does not stretch the session by days: an end more
// than a day ahead of the clock becomes the next time the clock shows it.
TEST_F(Until, AClockSetBackMoreThanADayEndsAtTheNextShowing) {
    const SetBackRow rows[] = {
        {"back 20 hours: a day ahead, kept", 20 * static_cast<std::int64_t>(kHour), true,
         24 * kHour},
        {"back 21 hours: the next 17:00", 21 * static_cast<std::int64_t>(kHour), true, kHour},
        {"back 72 hours: that day's 17:00", 72 * static_cast<std::int64_t>(kHour), true, 4 * kHour},
        {"back 72 hours untold", 72 * static_cast<std::int64_t>(kHour), false, 4 * kHour},
    };
    for (const SetBackRow& row : rows) {
        SCOPED_TRACE(row.name);
        rig.monotonic.wallShiftMs = 0;
        rig.monotonic.wallAtZeroMs = 1767618000000 - static_cast<std::int64_t>(rig.clock.Now());
        Controller().ActivateUntilClick(k1700);
        rig.monotonic.wallShiftMs = -row.backMs;
        if (row.told)
            Controller().WallClockChanged();
        rig.clock.Advance(row.lastsMs - 1);
        EXPECT_TRUE(rig.options.Active);
        rig.clock.Advance(1);
        EXPECT_FALSE(rig.options.Active);
    }
}

TEST_F(Until, ADaylightSavingChangeOnTheWayShortensTheRealTime) {
    // The clock goes forward an hour at 15:00 UTC, two hours from now.
    const std::int64_t change = rig.monotonic.wallAtZeroMs + 2 * static_cast<std::int64_t>(kHour);
    rig.monotonic.localFromUtc = [change](std::int64_t utc) {
        return utc + (utc >= change ? 2 : 1) * static_cast<std::int64_t>(kHour);
    };
    Controller().ActivateUntilClick(20 * 60); // local 14:00 now: six clock hours, five real
    rig.clock.Advance(5 * kHour - 1);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(1);
    EXPECT_FALSE(rig.options.Active);
}

TEST_F(Until, SleepDoesNotDelayIt) {
    Controller().ActivateUntilClick(k1700);
    rig.clock.Sleep(5 * kHour); // asleep: no timer fired
    EXPECT_TRUE(rig.options.Active);
    Controller().PowerResumed(ResumeKind::ByUser);
    EXPECT_FALSE(rig.options.Active);
    EXPECT_TRUE(rig.options.AutoStopped);
}

TEST_F(Until, AResumeBeforeTheEndKeepsIt) {
    Controller().ActivateUntilClick(k1700);
    rig.clock.Sleep(2 * kHour);
    Controller().PowerResumed(ResumeKind::ByUser);
    EXPECT_TRUE(rig.options.Active);
    rig.clock.Advance(2 * kHour);
    EXPECT_FALSE(rig.options.Active);
}

TEST(UntilAtStart, ARestartBeforeTheEndGoesOnUntilThatTime) {
    KeepAwakeRig rig(kOnUntil);
    KeepAwakeController& controller = rig.Create();
    controller.SelectActivateItemAtLoad();
    EXPECT_TRUE(rig.view.untilChecked);
    EXPECT_TRUE(rig.view.CheckedPositions().empty());
    rig.StartUp();
    EXPECT_TRUE(rig.saved.empty());
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 17:00)");
    rig.clock.Advance(4 * kHour);
    EXPECT_FALSE(rig.options.Active);
}

struct StartRow {
    const char* name;
    TStaywickOptions before; // as loaded
    bool active;             // after start-up
    bool autoStopped;
    std::vector<std::optional<std::int64_t>> savedEnds; // the end in each save
    std::uint64_t lastsMs;                              // while active: until the end
};

// The saved end tells a start whether the session's end passed while the
// program was not running.
TEST(UntilAtStart, TheSavedEndDecides) {
    const StartRow rows[] = {
        {"passed while away: ends at start, as it would have then",
         Options(true, 0, false, k1700, kToday1700 - kDay),
         false,
         true,
         {std::nullopt},
         0},
        {"falls on the start itself: ends at start",
         Options(true, 0, false, 13 * 60, kToday1700 - 4 * static_cast<std::int64_t>(kHour)),
         false,
         true,
         {std::nullopt},
         0},
        {"none saved (an older version's file): the next 17:00",
         Options(true, 0, false, k1700),
         true,
         false,
         {},
         4 * kHour},
        {"days ahead (the clock went back meanwhile): the next 17:00",
         Options(true, 0, false, k1700, kToday1700 + 3 * kDay),
         true,
         false,
         {},
         4 * kHour},
        {"auto-stopped: comes back with its new end saved",
         Options(false, 0, true, k1700, {}),
         true,
         false,
         {kToday1700},
         4 * kHour},
    };
    for (const StartRow& row : rows) {
        SCOPED_TRACE(row.name);
        KeepAwakeRig rig(row.before);
        rig.Create().SelectActivateItemAtLoad();
        rig.StartUp();
        EXPECT_EQ(rig.options.Active, row.active);
        EXPECT_EQ(rig.options.AutoStopped, row.autoStopped);
        std::vector<std::optional<std::int64_t>> savedEnds;
        for (const TStaywickOptions& saved : rig.saved)
            savedEnds.push_back(saved.ActivateUntilEnd);
        EXPECT_EQ(savedEnds, row.savedEnds);
        // Ended at start: the power request was not held, not even for a moment.
        const bool held = std::any_of(rig.powerRequest.calls.begin(), rig.powerRequest.calls.end(),
                                      [](const std::wstring& c) { return c.starts_with(L"hold"); });
        EXPECT_EQ(held, row.active);
        if (!row.active)
            continue;
        rig.clock.Advance(row.lastsMs - 1);
        EXPECT_TRUE(rig.options.Active);
        rig.clock.Advance(1);
        EXPECT_FALSE(rig.options.Active);
    }
}

TEST(UntilAtStart, AnEndThatStoppedItComesBackLikeACountdown) {
    KeepAwakeRig rig(Options(false, 0, true, k1700));
    rig.Create().SelectActivateItemAtLoad();
    rig.StartUp();
    EXPECT_TRUE(rig.options.Active);
    EXPECT_FALSE(rig.options.AutoStopped);
    EXPECT_EQ(rig.view.caption, L"&Staywick is active (until 17:00)");
}

} // namespace
} // namespace staywick
