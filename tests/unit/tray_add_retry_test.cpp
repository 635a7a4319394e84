// The tray's add retries on the virtual clock: every 2 s, at most 2 minutes,
// ended by a success or by the caller.
#include "fakes/virtual_clock.h"
#include "tray/tray_add_retry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

struct RetryCase {
    const char* name;
    int succeedsAtTry = 0;   // 1-based; 0 never
    std::uint64_t endAt = 0; // the caller ends the tries then; 0 never
    std::vector<std::uint64_t> tries;
};
void PrintTo(const RetryCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::uint64_t> Every2sUpTo(std::uint64_t last) {
    std::vector<std::uint64_t> times;
    for (std::uint64_t t = 2000; t <= last; t += 2000)
        times.push_back(t);
    return times;
}

class AddRetry : public testing::TestWithParam<RetryCase> {};

TEST_P(AddRetry, TriesEveryTwoSecondsUntilDone) {
    const RetryCase& p = GetParam();
    fakes::VirtualClock clock;
    fakes::FakeTimerPort port(clock);
    std::vector<std::uint64_t> tries;
    TrayAddRetry retry(port, [&] {
        tries.push_back(clock.Now());
        return static_cast<int>(tries.size()) == p.succeedsAtTry;
    });
    retry.Begin();
    EXPECT_TRUE(retry.Running());
    if (p.endAt) {
        clock.AdvanceTo(p.endAt);
        retry.End();
    }
    clock.AdvanceTo(10 * 60000);
    EXPECT_EQ(tries, p.tries);
    EXPECT_FALSE(retry.Running());
    EXPECT_FALSE(port.Armed()) << "no timer left running";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddRetry,
    testing::Values(
        RetryCase{.name = "NeverSucceedsGivesUpAfterTwoMinutes", .tries = Every2sUpTo(120000)},
        RetryCase{.name = "SucceedsAtTheThirdTry", .succeedsAtTry = 3, .tries = {2000, 4000, 6000}},
        RetryCase{
            .name = "SucceedsAtTheLastTry", .succeedsAtTry = 60, .tries = Every2sUpTo(120000)},
        RetryCase{.name = "EndedByTheCaller", .endAt = 9000, .tries = {2000, 4000, 6000, 8000}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AddRetrySequence, BeginningAgainStartsAFreshTwoMinutes) {
    fakes::VirtualClock clock;
    fakes::FakeTimerPort port(clock);
    int tries = 0;
    TrayAddRetry retry(port, [&] { return ++tries, false; });
    retry.Begin();
    clock.AdvanceTo(100000); // 50 tries
    retry.Begin();
    clock.AdvanceTo(101000);
    EXPECT_EQ(tries, 50) << "the next try one full interval after the new start";
    clock.AdvanceTo(10 * 60000);
    EXPECT_EQ(tries, 110);
}

TEST(AddRetrySequence, ARefusedTimerMeansNoTries) {
    fakes::VirtualClock clock;
    fakes::FakeTimerPort port(clock);
    port.refuse = true;
    int tries = 0;
    TrayAddRetry retry(port, [&] { return ++tries, false; });
    retry.Begin();
    EXPECT_FALSE(retry.Running());
    clock.AdvanceTo(10 * 60000);
    EXPECT_EQ(tries, 0);
}

} // namespace
} // namespace staywick
