// The schedule on the wall clock: windows within a day, across midnight, the
// whole day, both daylight-saving changes as the wall clock shows them, and
// the watcher following the minutes and a clock that jumps.
#include "engine/schedule_watcher.h"
#include "fakes/virtual_clock.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

constexpr int kMon = 0, kTue = 1, kSat = 5, kSun = 6;
constexpr std::int32_t kMonday = 1, kTuesday = 2, kFriday = 16, kSunday = 64, kWeekdays = 31;

struct ScheduleCase {
    const char* name;
    Schedule schedule;
    WallTime now;
    std::optional<LocalClockTime> until;
};
void PrintTo(const ScheduleCase& c, std::ostream* os) {
    *os << c.name;
}

class ScheduleTable : public testing::TestWithParam<ScheduleCase> {};

TEST_P(ScheduleTable, InsideOrNot) {
    EXPECT_EQ(ScheduledUntil(GetParam().schedule, GetParam().now), GetParam().until);
}

const Schedule kWorkHours{.days = kWeekdays, .from = 9 * 60, .to = 17 * 60 + 30};
const Schedule kNights{.days = kMonday | kFriday, .from = 22 * 60, .to = 6 * 60};
const Schedule kWholeDay{.days = kSunday, .from = 0, .to = 0};
// Sunday night into Monday: the day before Monday wraps round the week.
const Schedule kSundayNight{.days = kSunday, .from = 22 * 60, .to = 6 * 60};
// Spring forward on a Sunday: the wall clock goes from 01:59 to 03:00.
const Schedule kEarlySunday{.days = kSunday, .from = 90, .to = 150};    // 01:30-02:30
const Schedule kInSkippedHour{.days = kSunday, .from = 135, .to = 240}; // 02:15-04:00
// Fall back on a Sunday: the wall clock shows 02:00 to 02:59 twice.
const Schedule kRepeatedHalf{.days = kSunday, .from = 60, .to = 150}; // 01:00-02:30

INSTANTIATE_TEST_SUITE_P(
    Table, ScheduleTable,
    testing::Values(
        ScheduleCase{"NoDays", {.days = 0, .from = 0, .to = 1439}, {kMon, 12, 0}, std::nullopt},
        ScheduleCase{"AtStart", kWorkHours, {kMon, 9, 0}, LocalClockTime{17, 30}},
        ScheduleCase{"BeforeStart", kWorkHours, {kMon, 8, 59}, std::nullopt},
        ScheduleCase{"LastMinute", kWorkHours, {kTue, 17, 29}, LocalClockTime{17, 30}},
        ScheduleCase{"AtEnd", kWorkHours, {kTue, 17, 30}, std::nullopt},
        ScheduleCase{"DayNotChosen", kWorkHours, {kSat, 12, 0}, std::nullopt},
        ScheduleCase{"NightStarts", kNights, {kMon, 22, 0}, LocalClockTime{6, 0}},
        ScheduleCase{"NightPastMidnight", kNights, {kTue, 5, 59}, LocalClockTime{6, 0}},
        ScheduleCase{"NightOver", kNights, {kTue, 6, 0}, std::nullopt},
        ScheduleCase{"NightNotStartedTuesday", kNights, {kTue, 23, 0}, std::nullopt},
        ScheduleCase{"FridayNightIntoSaturday", kNights, {kSat, 1, 0}, LocalClockTime{6, 0}},
        ScheduleCase{"SundayBeforeMondayNight", kNights, {kSun, 23, 0}, std::nullopt},
        ScheduleCase{"SundayNightIntoMonday", kSundayNight, {kMon, 1, 0}, LocalClockTime{6, 0}},
        ScheduleCase{"SundayNightOverOnMonday", kSundayNight, {kMon, 6, 0}, std::nullopt},
        ScheduleCase{"WholeDay", kWholeDay, {kSun, 13, 0}, LocalClockTime{0, 0}},
        ScheduleCase{"WholeDayEnded", kWholeDay, {kMon, 0, 0}, std::nullopt},
        ScheduleCase{"SpringBeforeJump", kEarlySunday, {kSun, 1, 59}, LocalClockTime{2, 30}},
        ScheduleCase{"SpringAfterJumpEnded", kEarlySunday, {kSun, 3, 0}, std::nullopt},
        ScheduleCase{"SpringStartSkippedBefore", kInSkippedHour, {kSun, 1, 59}, std::nullopt},
        ScheduleCase{"SpringStartSkippedOpens", kInSkippedHour, {kSun, 3, 0}, LocalClockTime{4, 0}},
        ScheduleCase{"FallFirstPass", kRepeatedHalf, {kSun, 2, 29}, LocalClockTime{2, 30}},
        ScheduleCase{"FallAfterFirstPass", kRepeatedHalf, {kSun, 2, 59}, std::nullopt},
        ScheduleCase{"FallSecondPass", kRepeatedHalf, {kSun, 2, 0}, LocalClockTime{2, 30}}),
    [](const testing::TestParamInfo<ScheduleCase>& info) { return std::string(info.param.name); });

TEST(ScheduleMinutes, UntilTheNextWholeMinute) {
    EXPECT_EQ(MillisecondsToNextMinute({kMon, 9, 0, 0, 0}), 60000u);
    EXPECT_EQ(MillisecondsToNextMinute({kMon, 9, 0, 59, 999}), 1u);
    EXPECT_EQ(MillisecondsToNextMinute({kMon, 9, 0, 30, 250}), 29750u);
}

// A wall clock that follows the virtual clock from a set moment, and can be
// set as a user or daylight saving sets it.
struct SetWallClock : WallClock {
    explicit SetWallClock(fakes::VirtualClock& clock) : clock(clock) {}
    WallTime Now() override {
        const std::uint64_t ms = base + (clock.Now() - setAt);
        const std::uint64_t minutes = ms / 60000;
        return {.weekday = static_cast<int>((minutes / 1440) % 7),
                .hour = static_cast<int>(minutes / 60 % 24),
                .minute = static_cast<int>(minutes % 60),
                .second = static_cast<int>(ms / 1000 % 60),
                .millisecond = static_cast<int>(ms % 1000)};
    }
    void Set(int weekday, int hour, int minute, int second = 0) {
        base = ((weekday * 24ull + hour) * 60 + minute) * 60000 + second * 1000ull;
        setAt = clock.Now();
    }
    fakes::VirtualClock& clock;
    std::uint64_t base = 0, setAt = 0;
};

class ScheduleWatch : public ::testing::Test {
protected:
    fakes::VirtualClock clock;
    fakes::FakeTimerPort timer{clock};
    SetWallClock wall{clock};
    std::vector<std::optional<LocalClockTime>> reports;
    ScheduleWatcher watcher{wall, timer,
                            [this](std::optional<LocalClockTime> t) { reports.push_back(t); }};
};

TEST_F(ScheduleWatch, OpensAndClosesOnTheMinute) {
    wall.Set(kMon, 8, 59, 30);
    watcher.SetSchedule(kWorkHours);
    EXPECT_EQ(reports.back(), std::nullopt);
    EXPECT_EQ(timer.Due(), clock.Now() + 30000);
    clock.Advance(30000);
    EXPECT_EQ(reports.back(), (LocalClockTime{17, 30}));
    clock.Advance((8 * 60 + 30) * 60000ull);
    EXPECT_EQ(reports.back(), std::nullopt);
}

TEST_F(ScheduleWatch, ClockSetForwardIsFollowedAtOnce) {
    wall.Set(kMon, 7, 0);
    watcher.SetSchedule(kWorkHours);
    wall.Set(kMon, 10, 0, 15); // set by hand, or an hour of daylight saving
    watcher.ClockChanged();
    EXPECT_EQ(reports.back(), (LocalClockTime{17, 30}));
    EXPECT_EQ(timer.Due(), clock.Now() + 45000);
}

TEST_F(ScheduleWatch, NoDayChosenStopsLooking) {
    wall.Set(kMon, 10, 0);
    watcher.SetSchedule(kWorkHours);
    watcher.SetSchedule({.days = 0, .from = 540, .to = 1050});
    EXPECT_EQ(reports.back(), std::nullopt);
    EXPECT_FALSE(timer.Armed());
}

} // namespace
} // namespace staywick
