// "Until HH:MM": the next time the local clock shows a time of day, from a
// given local time, across midnight and across both daylight-saving changes.
// The rules are those of a zone one hour ahead of UTC in winter and two in
// summer, changing at 01:00 UTC on 29 March and 25 October 2026.
#include "engine/clock_target.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace staywick {
namespace {

constexpr std::int64_t kOneDayMs = 86400000;
constexpr std::int64_t kHourMs = 3600000;
constexpr std::int64_t kMinuteMs = 60000;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

constexpr std::int64_t At(unsigned month, unsigned day, int hour, int minute, int second = 0) {
    return DaysFromCivil(2026, month, day) * kOneDayMs + hour * kHourMs + minute * kMinuteMs +
           second * 1000;
}

const std::int64_t kSpringChange = At(3, 29, 1, 0); // UTC
const std::int64_t kAutumnChange = At(10, 25, 1, 0);

std::int64_t Zone(std::int64_t utc) {
    const bool summer = utc >= kSpringChange && utc < kAutumnChange;
    return utc + (summer ? 2 : 1) * kHourMs;
}

struct Row {
    const char* name;
    std::int64_t nowUtc;
    std::int32_t minuteOfDay;
    std::int64_t expectedUtc;
};

TEST(NextOccurrence, FromAGivenLocalTime) {
    const Row rows[] = {
        // Winter, local = UTC + 1.
        {"later today", At(1, 5, 8, 0), 17 * 60 + 30, At(1, 5, 16, 30)},
        {"across midnight", At(1, 5, 21, 0), 6 * 60, At(1, 6, 5, 0)},
        {"the clock shows it now: tomorrow", At(1, 5, 16, 30), 17 * 60 + 30, At(1, 6, 16, 30)},
        {"a second before it: today", At(1, 5, 16, 29, 59), 17 * 60 + 30, At(1, 5, 16, 30)},
        {"midnight from 23:59", At(1, 5, 22, 59), 0, At(1, 5, 23, 0)},
        {"a minute ago: almost a day", At(1, 5, 16, 31), 17 * 60 + 30, At(1, 6, 16, 30)},
        // Spring: the night has 23 hours, and 02:00 to 03:00 never shows.
        {"spring: 22:00 to 08:00 is 9 hours", At(3, 28, 21, 0), 8 * 60, At(3, 29, 6, 0)},
        {"spring: 01:00 to 01:30 before the jump", At(3, 29, 0, 0), 90, At(3, 29, 0, 30)},
        {"spring: 02:30 never shows, the jump ends it", At(3, 29, 0, 0), 150, kSpringChange},
        {"spring: 03:00 is the jump itself", At(3, 29, 0, 0), 180, kSpringChange},
        {"spring: 03:30 after the jump", At(3, 29, 0, 0), 210, At(3, 29, 1, 30)},
        // Autumn: the night has 25 hours, and 02:00 to 03:00 shows twice.
        {"autumn: 22:00 to 08:00 is 11 hours", At(10, 24, 20, 0), 8 * 60, At(10, 25, 7, 0)},
        {"autumn: 02:30 twice, the first counts", At(10, 24, 23, 0), 150, At(10, 25, 0, 30)},
        {"autumn: in the repeated hour, its 02:30", At(10, 25, 1, 10), 150, At(10, 25, 1, 30)},
        {"autumn: 03:30 after the repeat", At(10, 24, 23, 0), 210, At(10, 25, 2, 30)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(NextOccurrence(row.nowUtc, row.minuteOfDay, Zone), row.expectedUtc) << row.name;
    }
}

TEST(NextOccurrence, TheTargetIsALocalReadingTodayOrTomorrow) {
    const std::int64_t day = DaysFromCivil(2026, 1, 5) * kOneDayMs;
    EXPECT_EQ(NextClockTarget(day + 10 * kHourMs, 11 * 60), day + 11 * kHourMs);
    EXPECT_EQ(NextClockTarget(day + 11 * kHourMs, 11 * 60), day + kOneDayMs + 11 * kHourMs);
    EXPECT_EQ(NextClockTarget(day, 0), day + kOneDayMs);
    EXPECT_EQ(NextClockTarget(day + kOneDayMs - 1, 1439), day + kOneDayMs + 1439 * kMinuteMs);
}

struct ChangeRow {
    const char* name;
    std::int64_t nowLocal;
    std::int64_t targetLocal;
    std::int64_t expectedLocal;
};

// After a clock change, read on the local clock: an end at most a day ahead
// stays, one further ahead (the clock went back) becomes the next time the
// clock shows it.
TEST(ClockTargetAfterChange, AnEndMoreThanADayAheadIsTheNextShowing) {
    const ChangeRow rows[] = {
        {"within the day: stays", At(1, 5, 13, 0), At(1, 5, 17, 0), At(1, 5, 17, 0)},
        {"exactly a day ahead: stays", At(1, 4, 17, 0), At(1, 5, 17, 0), At(1, 5, 17, 0)},
        {"a minute more than a day: today's", At(1, 4, 16, 59), At(1, 5, 17, 0), At(1, 4, 17, 0)},
        {"back 72 hours: that day's", At(1, 2, 13, 0), At(1, 5, 17, 0), At(1, 2, 17, 0)},
        {"back past the time of day: the next day's", At(1, 2, 18, 0), At(1, 5, 17, 0),
         At(1, 3, 17, 0)},
        {"midnight: the next midnight", At(1, 1, 10, 0), At(1, 6, 0, 0), At(1, 2, 0, 0)},
        {"passed: stays, so it ends", At(1, 5, 20, 0), At(1, 5, 17, 0), At(1, 5, 17, 0)},
    };
    for (const ChangeRow& row : rows) {
        EXPECT_EQ(ClockTargetAfterChange(row.nowLocal, row.targetLocal), row.expectedLocal)
            << row.name;
    }
}

TEST(ClockTargetAfterChange, MinuteOfTheDayOfAReading) {
    EXPECT_EQ(MinuteOfDayAt(At(1, 5, 0, 0)), 0);
    EXPECT_EQ(MinuteOfDayAt(At(1, 5, 23, 59, 59)), 1439);
    EXPECT_EQ(MinuteOfDayAt(At(1, 5, 17, 0, 30)), 1020);
    EXPECT_EQ(MinuteOfDayAt(-kMinuteMs), 1439); // 23:59 on 31 December 1969
}

TEST(NextOccurrence, AReadingAlreadyPastEndsAtOnce) {
    // The clock was set forward past the end.
    EXPECT_EQ(FirstMomentShowing(At(1, 5, 20, 0), At(1, 5, 18, 0), Zone), At(1, 5, 20, 0));
}

} // namespace
} // namespace staywick
