// TTimer over the virtual clock: the contract the controller, the Options
// dialog and the debug line rely on.
#include "common/app_error.h"
#include "engine/timer.h"
#include "fakes/virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::FakeTimerPort;
using fakes::VirtualClock;
using Times = std::vector<std::uint64_t>;

// A 1000 ms timer started at 0; at 700 ms the case does something; the
// ticks up to 3000 ms show what became of the phase.
struct PhaseCase {
    const char* name;
    std::function<void(TTimer&)> at700;
    Times ticks;
};
void PrintTo(const PhaseCase& c, std::ostream* os) {
    *os << c.name;
}

class TimerPhase : public testing::TestWithParam<PhaseCase> {};

TEST_P(TimerPhase, TicksFollowTheContract) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    TTimer timer(port, true, 1000);
    clock.Advance(700);
    GetParam().at700(timer);
    clock.AdvanceTo(3000);
    EXPECT_EQ(port.fireTimes, GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(Contract, TimerPhase,
                         testing::Values(PhaseCase{.name = "NothingDone",
                                                   .at700 = [](TTimer&) {},
                                                   .ticks = Times{1000, 2000, 3000}},
                                         PhaseCase{.name = "SameIntervalKeepsPhase",
                                                   .at700 = [](TTimer& t) { t.SetInterval(1000); },
                                                   .ticks = Times{1000, 2000, 3000}},
                                         PhaseCase{.name = "EnabledAgainKeepsPhase",
                                                   .at700 = [](TTimer& t) { t.SetEnabled(true); },
                                                   .ticks = Times{1000, 2000, 3000}},
                                         PhaseCase{.name = "OtherIntervalRearmsFromNow",
                                                   .at700 = [](TTimer& t) { t.SetInterval(500); },
                                                   .ticks = Times{1200, 1700, 2200, 2700}},
                                         PhaseCase{.name = "LongerIntervalRearmsFromNow",
                                                   .at700 = [](TTimer& t) { t.SetInterval(2000); },
                                                   .ticks = Times{2700}},
                                         PhaseCase{.name = "ChangedAndBackRearms",
                                                   .at700 =
                                                       [](TTimer& t) {
                                                           t.SetInterval(400);
                                                           t.SetInterval(1000);
                                                       },
                                                   .ticks = Times{1700, 2700}},
                                         PhaseCase{.name = "DisabledStops",
                                                   .at700 = [](TTimer& t) { t.SetEnabled(false); },
                                                   .ticks = Times{}},
                                         PhaseCase{.name = "OffAndOnStartsAfresh",
                                                   .at700 =
                                                       [](TTimer& t) {
                                                           t.SetEnabled(false);
                                                           t.SetEnabled(true);
                                                       },
                                                   .ticks = Times{1700, 2700}},
                                         PhaseCase{.name = "ZeroIntervalStops",
                                                   .at700 = [](TTimer& t) { t.SetInterval(0); },
                                                   .ticks = Times{}},
                                         PhaseCase{.name = "FireInThenBackToTheInterval",
                                                   .at700 = [](TTimer& t) { t.FireIn(100); },
                                                   .ticks = Times{800, 1800, 2800}},
                                         PhaseCase{.name = "FireInThenSameIntervalKeepsIt",
                                                   .at700 =
                                                       [](TTimer& t) {
                                                           t.FireIn(1500);
                                                           t.SetInterval(1000);
                                                           t.SetEnabled(true);
                                                       },
                                                   .ticks = Times{2200}},
                                         PhaseCase{.name = "FireInThenOtherIntervalRearms",
                                                   .at700 =
                                                       [](TTimer& t) {
                                                           t.FireIn(100);
                                                           t.SetInterval(2000);
                                                       },
                                                   .ticks = Times{2700}},
                                         PhaseCase{.name = "FireInWhileStoppedDoesNothing",
                                                   .at700 =
                                                       [](TTimer& t) {
                                                           t.SetEnabled(false);
                                                           t.FireIn(100);
                                                       },
                                                   .ticks = Times{}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimerContract, NeverFiresAtOnceAndIsPeriodic) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    TTimer timer(port, false, 300);
    timer.SetInterval(250); // disabled: nothing starts
    EXPECT_FALSE(port.Armed());
    clock.Advance(100);
    timer.SetEnabled(true);
    clock.Advance(249);
    EXPECT_TRUE(port.fireTimes.empty());
    clock.Advance(1);
    clock.AdvanceTo(850);
    EXPECT_EQ(port.fireTimes, (Times{350, 600, 850}));
}

TEST(TimerContract, HandlerRearmsAndDisablesThemselves) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    int ticks = 0;
    TTimer timer(port, true, 1000);
    timer.SetOnTimer([&] {
        ++ticks;
        if (ticks == 1)
            timer.SetInterval(300);
        if (ticks == 3)
            timer.SetEnabled(false);
    });
    clock.AdvanceTo(10000);
    EXPECT_EQ(port.fireTimes, (Times{1000, 1300, 1600}));
    EXPECT_FALSE(timer.Enabled());
}

TEST(TimerContract, RefusalThrowsAndTheValueStays) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    TTimer timer(port, false, 1000);
    port.refuse = true;
    try {
        timer.SetEnabled(true);
        FAIL() << "a refused start must throw";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), L"Not enough timers available");
    }
    EXPECT_TRUE(timer.Enabled());
    clock.AdvanceTo(5000);
    EXPECT_TRUE(port.fireTimes.empty());

    // A later different value tries again and succeeds.
    port.refuse = false;
    timer.SetInterval(500);
    clock.AdvanceTo(5500);
    EXPECT_EQ(port.fireTimes, (Times{5500}));
}

TEST(TimerContract, RefusalAtCreationThrows) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    port.refuse = true;
    EXPECT_THROW(TTimer(port, true, 5000), AppError);
    EXPECT_NO_THROW(TTimer(port, false, 5000)); // a disabled timer asks for nothing
}

TEST(TimerContract, DestroyedTimerStopsItsPort) {
    VirtualClock clock;
    FakeTimerPort port(clock);
    {
        TTimer timer(port, true, 100);
        EXPECT_TRUE(port.Armed());
    }
    EXPECT_FALSE(port.Armed());
    clock.AdvanceTo(1000);
    EXPECT_TRUE(port.fireTimes.empty());
}

TEST(VirtualClockPump, RunsPostedMessagesThenDueTimersInTimeOrder) {
    VirtualClock clock;
    FakeTimerPort later(clock), earlier(clock);
    std::vector<std::string> order;
    TTimer a(later, true, 200, [&] { order.push_back("later"); });
    TTimer b(earlier, true, 100, [&] { order.push_back("earlier"); });
    clock.Sleep(250); // blocked: nothing fires while sleeping
    EXPECT_TRUE(order.empty());
    clock.Post([&] { order.push_back("posted"); });
    clock.Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"posted", "earlier", "later"}));
}

} // namespace
} // namespace staywick
