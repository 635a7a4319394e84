// The arithmetic of the tick and of idle measurement, and the exact texts of
// the tick's diagnostic lines.
#include "engine/tick_lines.h"
#include "engine/wake_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace staywick {
namespace {

TEST(WakeRules, KeyTableMapsInputKeyToVirtualKey) {
    struct Row {
        std::int32_t inputKey;
        std::uint8_t vk;
    };
    for (const Row row : {Row{.inputKey = 0, .vk = 0x7E}, Row{.inputKey = 1, .vk = 0x90},
                          Row{.inputKey = 2, .vk = 0x10}, Row{.inputKey = 3, .vk = 0x10},
                          Row{.inputKey = -1, .vk = 0x10}, Row{.inputKey = 99, .vk = 0x10},
                          Row{.inputKey = std::numeric_limits<std::int32_t>::min(), .vk = 0x10}}) {
        EXPECT_EQ(VirtualKeyForInputKey(row.inputKey), row.vk) << "InputKey " << row.inputKey;
    }
}

TEST(WakeRules, IdleIsModulo32BitsAcrossTheTickCounterWrap) {
    EXPECT_EQ(IdleFromTicks(0x00000100u, 0xFFFFFF00u), 512u);
    EXPECT_EQ(IdleFromTicks(5000u, 1000u), 4000u);
    EXPECT_EQ(IdleFromTicks(7u, 7u), 0u);
    // An input stamped just after "now" reads as a very long idle, never negative.
    EXPECT_EQ(IdleFromTicks(1000u, 1001u), 0xFFFFFFFFu);
}

TEST(WakeRules, LimitIsMinutesTimesSixtyThousandClampedTo32Bits) {
    struct Row {
        std::int32_t sleepMax;
        std::int32_t limit;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    for (const Row row :
         {Row{.sleepMax = 3, .limit = 180000}, Row{.sleepMax = 1, .limit = 60000},
          Row{.sleepMax = 9999, .limit = 599940000}, Row{.sleepMax = 0, .limit = 0},
          Row{.sleepMax = -1, .limit = -60000}, Row{.sleepMax = 35791, .limit = 2147460000},
          // Beyond 35791 the 32-bit product would wrap negative
          // and force a wake on every tick; the limit stays long.
          Row{.sleepMax = 35792, .limit = kMax}, Row{.sleepMax = kMax, .limit = kMax},
          // Far below zero it must not wrap to a positive limit.
          Row{.sleepMax = -35792, .limit = kMin}, Row{.sleepMax = kMin, .limit = kMin}}) {
        EXPECT_EQ(IdleLimitMilliseconds(row.sleepMax), row.limit) << "SleepMax " << row.sleepMax;
    }
}

TEST(WakeRules, LimitComparisonWidensIdleAsUnsigned) {
    EXPECT_TRUE(IdleReachedLimit(180000, 180000));
    EXPECT_FALSE(IdleReachedLimit(179999, 180000));
    EXPECT_TRUE(IdleReachedLimit(0, 0));
    EXPECT_TRUE(IdleReachedLimit(0, -60000));
    // 0xFFFFFFFF is about 49.7 days of idleness, not -1.
    EXPECT_TRUE(IdleReachedLimit(0xFFFFFFFFu, std::numeric_limits<std::int32_t>::max()));
}

TEST(WakeRules, NextIntervalFallsBackTo2000WhenNotPositive) {
    struct Row {
        std::int32_t limit;
        std::uint32_t idle;
        std::int32_t candidate;
        std::uint32_t interval;
    };
    for (const Row row :
         {Row{.limit = 180000, .idle = 5000, .candidate = 170000, .interval = 170000},
          Row{.limit = 180000, .idle = 175000, .candidate = 0, .interval = 2000},
          Row{.limit = 180000, .idle = 177000, .candidate = -2000, .interval = 2000},
          Row{.limit = 180000, .idle = 179000, .candidate = -4000, .interval = 2000},
          Row{.limit = 180000, .idle = 174999, .candidate = 1, .interval = 1},
          Row{.limit = 0, .idle = 0, .candidate = -5000, .interval = 2000},
          Row{.limit = std::numeric_limits<std::int32_t>::max(),
          .idle = 0,
          .candidate = 2147478647,
          .interval = 2147478647u}}) {
        const std::int32_t candidate = NextIntervalCandidate(row.limit, row.idle);
        EXPECT_EQ(candidate, row.candidate) << row.limit << " - " << row.idle;
        EXPECT_EQ(IntervalToSet(candidate), row.interval);
    }
}

TEST(WakeRules, CountDownLengthIs32BitMilliseconds) {
    EXPECT_EQ(CountDownMilliseconds(5), 300000u);
    EXPECT_EQ(CountDownMilliseconds(720), 43200000u);
    EXPECT_EQ(CountDownMilliseconds(0), 0u);
}

TEST(TickLines, TextsAreExactWithLeadingBlanksAndSignedness) {
    EXPECT_EQ(TickOpeningLine(), L"Im in the timer");
    EXPECT_EQ(TickIdleLine(4294967295u), L"  GetIdleTime: 4294967295");
    EXPECT_EQ(TickLimitLine(180000), L"  >= : 180000");
    EXPECT_EQ(TickLimitLine(-60000), L"  >= : -60000");
    EXPECT_EQ(DebugIntervalLine(170000), L"timer interval at: 170000");
    EXPECT_EQ(LogIdleLine(5000), L"IdelTime: 5000");
    EXPECT_EQ(LogCandidateLine(-2000), L"  aNewInterval: -2000");
    EXPECT_EQ(LogIntervalLine(2000), L"  timer interval at: 2000");
    EXPECT_EQ(ForcedWakeLine(), L"Forced system wake up");
}

} // namespace
} // namespace staywick
