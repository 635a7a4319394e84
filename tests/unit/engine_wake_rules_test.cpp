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
    for (const Row row : {Row{0, 0x7E}, Row{1, 0x90}, Row{2, 0x10}, Row{3, 0x10}, Row{-1, 0x10},
                          Row{99, 0x10}, Row{std::numeric_limits<std::int32_t>::min(), 0x10}}) {
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
    for (const Row row : {Row{3, 180000}, Row{1, 60000}, Row{9999, 599940000}, Row{0, 0},
                          Row{-1, -60000}, Row{35791, 2147460000},
                          // Beyond 35791 the 32-bit product would wrap negative
                          // and force a wake on every tick; the limit stays long.
                          Row{35792, kMax}, Row{kMax, kMax},
                          // Far below zero it must not wrap to a positive limit.
                          Row{-35792, kMin}, Row{kMin, kMin}}) {
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
         {Row{180000, 5000, 170000, 170000}, Row{180000, 175000, 0, 2000},
          Row{180000, 177000, -2000, 2000}, Row{180000, 179000, -4000, 2000},
          Row{180000, 174999, 1, 1}, Row{0, 0, -5000, 2000},
          Row{std::numeric_limits<std::int32_t>::max(), 0, 2147478647, 2147478647u}}) {
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
