// The one-shot waiter: a chosen process or every copy of a file name, its end
// noticed at once through the wait (or at the next look, every 5 s, when it
// cannot be waited on), a new choice replacing the old, and no report after
// the user stopped it.
#include "engine/one_shot_waiter.h"
#include "fakes/fake_process_watch.h"
#include "fakes/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

TEST(OneShotTarget, DigitsAreAProcessIdAnythingElseAFileName) {
    const std::pair<const wchar_t*, OneShotTarget> rows[] = {
        {L"1234", {1234, L""}},
        {L"0012", {12, L""}},
        {L"4294967295", {4294967295u, L""}},
        {L"4294967296", {0, L""}}, // beyond 32 bits: names nothing
        {L"0", {0, L""}},
        {L"notepad.exe", {0, L"notepad.exe"}},
        {L"12a", {0, L"12a"}},
        {L"7zip", {0, L"7zip"}},
    };
    for (const auto& [text, target] : rows)
        EXPECT_EQ(OneShotTargetFromText(text), target) << std::wstring(text).size();
}

TEST(OneShotTarget, MatchesAnIdWithItsNameOrEveryCopyOfAName) {
    const std::vector<RunningProcess> running{
        {10, L"explorer.exe"}, {11, L"NOTEPAD.EXE"}, {12, L"calc.exe"}, {13, L"notepad.exe"}};
    const auto ids = [&](const OneShotTarget& target) {
        std::vector<std::uint32_t> found;
        for (const RunningProcess& p : OneShotMatches(target, running))
            found.push_back(p.id);
        return found;
    };
    using Ids = std::vector<std::uint32_t>;
    EXPECT_EQ(ids({12, L""}), Ids{12});
    EXPECT_EQ(ids({12, L"Calc.exe"}), Ids{12});
    EXPECT_EQ(ids({12, L"notepad.exe"}), Ids{}); // the id went to another program
    EXPECT_EQ(ids({99, L""}), Ids{});
    EXPECT_EQ(ids({0, L"Notepad.exe"}), (Ids{11, 13}));
    EXPECT_EQ(ids({0, L"notepad"}), Ids{});
}

class OneShot : public ::testing::Test {
protected:
    OneShot() {
        processes.Start(40, L"Notepad.exe");
        processes.Start(41, L"notepad.exe");
        processes.Start(50, L"render.exe");
    }
    // Time until the last report is `name`; ~0 when not within `limitMs`.
    std::uint64_t Reported(const std::wstring& name, std::uint64_t limitMs) {
        const std::uint64_t start = clock.Now();
        for (;;) {
            clock.Pump();
            if (!reports.empty() && reports.back() == name)
                return clock.Now() - start;
            if (clock.Now() - start >= limitMs)
                return ~0ull;
            clock.Advance(100);
        }
    }

    fakes::VirtualClock clock;
    fakes::FakeTimerPort timer{clock};
    fakes::FakeProcessWatch processes{clock};
    std::vector<std::wstring> reports;
    OneShotWaiter waiter{processes, timer, [this](const std::wstring& p) { reports.push_back(p); }};
};

// How the end of a chosen program is noticed: at once through the wait, or
// at the next look when the process cannot be waited on.
TEST_F(OneShot, EndNoticedAtOnceOrAtTheNextLook) {
    struct EndCase {
        const char* name;
        OneShotTarget target;
        bool waitable;
        std::uint64_t atMostMs;
        std::uint64_t atLeastMs;
    };
    const EndCase cases[] = {
        {"id, waited", {50, L""}, true, 0, 0},
        {"id, looked for", {50, L""}, false, 5000, 1},
        {"name, waited", {0, L"render.exe"}, true, 0, 0},
        {"name, looked for", {0, L"RENDER.EXE"}, false, 5000, 1},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        processes.unwaitable.clear();
        if (!c.waitable)
            processes.unwaitable.insert(50);
        if (reports.size() == 2) // the case before ended it
            processes.Start(50, L"render.exe");
        reports.clear();
        ASSERT_TRUE(waiter.WaitFor(c.target));
        ASSERT_EQ(reports, std::vector<std::wstring>{L"render.exe"});
        EXPECT_EQ(timer.Armed(), !c.waitable); // no looks while the wait holds
        clock.Advance(2500);                   // anywhere in the look's cycle
        processes.End(50);
        const std::uint64_t took = Reported(L"", 6000);
        EXPECT_LE(took, c.atMostMs);
        EXPECT_GE(took, c.atLeastMs);
        EXPECT_FALSE(waiter.Waiting());
        EXPECT_FALSE(timer.Armed());
        EXPECT_EQ(reports.size(), 2u);
    }
}

TEST_F(OneShot, ByNameLastsUntilTheLastCopyEnds) {
    ASSERT_TRUE(waiter.WaitFor({0, L"notepad.exe"}));
    EXPECT_EQ(reports, std::vector<std::wstring>{L"Notepad.exe"}); // the system's spelling
    EXPECT_EQ(processes.waits.size(), 2u);
    processes.End(40);
    clock.Advance(30000);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(waiter.Waiting());
    processes.End(41);
    EXPECT_EQ(Reported(L"", 0), 0u);
}

TEST_F(OneShot, ByIdEndsWithThatProcessAloneAndAnIdHandedOnDoesNotCount) {
    ASSERT_TRUE(waiter.WaitFor({41, L""}));
    processes.End(41);
    EXPECT_EQ(Reported(L"", 0), 0u); // the other notepad.exe runs on

    // Looked for: the id now belongs to another program.
    processes.unwaitable.insert(40);
    ASSERT_TRUE(waiter.WaitFor({40, L"notepad.exe"}));
    processes.End(40);
    processes.Start(40, L"calc.exe");
    EXPECT_LE(Reported(L"", 5000), 5000u);

    // The id handed at once to a new copy of the same program: the process
    // waited for has ended all the same.
    ASSERT_TRUE(waiter.WaitFor({50, L""}));
    processes.End(50);
    processes.Start(50, L"render.exe");
    EXPECT_EQ(Reported(L"", 0), 0u);
    EXPECT_FALSE(waiter.Waiting());
}

// The program ends just after the snapshot that found it: its end is still
// seen, at once through the wait or at the next look.
TEST_F(OneShot, AnEndRightAfterTheChoosingSnapshotIsSeen) {
    struct RaceCase {
        const char* name;
        OneShotTarget target;
        bool waitable;
        std::uint64_t atMostMs;
    };
    const RaceCase cases[] = {
        {"id, waited", {50, L""}, true, 0},
        {"id, looked for", {50, L""}, false, 5000},
        {"name, waited", {0, L"render.exe"}, true, 0},
        {"name, looked for", {0, L"render.exe"}, false, 5000},
    };
    std::erase_if(processes.running, [](const RunningProcess& p) { return p.id == 50; });
    for (const RaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        processes.unwaitable.clear();
        if (!c.waitable)
            processes.unwaitable.insert(50);
        processes.Start(50, L"render.exe");
        reports.clear();
        processes.afterSnapshot = [this] {
            processes.afterSnapshot = nullptr;
            processes.End(50);
        };
        ASSERT_TRUE(waiter.WaitFor(c.target));
        EXPECT_LE(Reported(L"", 6000), c.atMostMs);
        EXPECT_FALSE(waiter.Waiting());
        EXPECT_FALSE(timer.Armed());
    }
}

// A snapshot the system refused says nothing about the program: it counts as
// still running, and the next look comes 5 s later.
TEST_F(OneShot, ARefusedLookIsTriedAgainNotTakenForTheEnd) {
    processes.unwaitable.insert(50);
    ASSERT_TRUE(waiter.WaitFor({50, L""}));
    processes.refuseSnapshots = 1;
    clock.Advance(5000);
    EXPECT_TRUE(waiter.Waiting());
    EXPECT_TRUE(timer.Armed());
    clock.Advance(5000); // this look is answered: still running
    EXPECT_TRUE(waiter.Waiting());
    EXPECT_EQ(reports, std::vector<std::wstring>{L"render.exe"});
    processes.End(50);
    EXPECT_LE(Reported(L"", 5000), 5000u);
}

TEST_F(OneShot, ByNameARefusedLookAfterTheLastWaitedCopyLooksAgain) {
    ASSERT_TRUE(waiter.WaitFor({0, L"render.exe"}));
    processes.Start(51, L"render.exe"); // a copy the wait does not know yet
    processes.refuseSnapshots = 1;
    processes.End(50);
    clock.Pump();
    EXPECT_TRUE(waiter.Waiting());
    EXPECT_TRUE(timer.Armed());
    clock.Advance(5000); // finds the other copy and waits for it
    EXPECT_EQ(processes.waits.count(51), 1u);
    EXPECT_FALSE(timer.Armed());
    EXPECT_EQ(reports, std::vector<std::wstring>{L"render.exe"});
    processes.End(51);
    EXPECT_EQ(Reported(L"", 0), 0u);
}

TEST_F(OneShot, NothingRunningChangesNothing) {
    ASSERT_TRUE(waiter.WaitFor({50, L""}));
    EXPECT_FALSE(waiter.WaitFor({0, L"calc.exe"}));
    EXPECT_FALSE(waiter.WaitFor({77, L""}));
    EXPECT_FALSE(waiter.WaitFor({0, L""}));
    EXPECT_EQ(reports, std::vector<std::wstring>{L"render.exe"});
    EXPECT_EQ(waiter.Program(), L"render.exe"); // the earlier wait holds
    processes.End(50);
    EXPECT_EQ(Reported(L"", 0), 0u);
}

TEST_F(OneShot, ANewChoiceReplacesTheOld) {
    ASSERT_TRUE(waiter.WaitFor({50, L""}));
    ASSERT_TRUE(waiter.WaitFor({40, L""}));
    EXPECT_EQ(reports, (std::vector<std::wstring>{L"render.exe", L"Notepad.exe"}));
    processes.End(50);
    clock.Advance(10000);
    EXPECT_EQ(reports.size(), 2u);
    processes.End(40);
    EXPECT_EQ(Reported(L"", 0), 0u);
}

TEST_F(OneShot, StoppedReportsNothingAndLooksNoMore) {
    processes.unwaitable.insert(50);
    ASSERT_TRUE(waiter.WaitFor({50, L""}));
    const int snapshots = processes.snapshots;
    waiter.Stop();
    EXPECT_FALSE(waiter.Waiting());
    processes.End(50);
    clock.Advance(30000);
    EXPECT_EQ(processes.snapshots, snapshots);
    EXPECT_EQ(reports.size(), 1u);
}

} // namespace
} // namespace staywick
