// The program watcher: a start is noticed at the next look (at most 5 s),
// an end at once through the wait; no snapshots while every listed program
// found is waited for.
#include "engine/program_watcher.h"
#include "fakes/fake_process_watch.h"
#include "fakes/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

using Names = std::vector<std::wstring>;

TEST(FindListedProgramsTest, MatchesFileNamesIgnoringCaseInListOrder) {
    const std::vector<RunningProcess> running{
        {10, L"explorer.exe"}, {11, L"NOTEPAD.EXE"}, {12, L"obs64.exe"}, {13, L"notepad.exe"}};
    const auto found = FindListedPrograms({L"obs64.exe", L"Notepad.exe"}, running);
    EXPECT_EQ(found.first, L"obs64.exe");
    EXPECT_EQ(found.ids, (std::vector<std::uint32_t>{12, 11, 13}));
    EXPECT_TRUE(FindListedPrograms({L"obs.exe", L"notepad"}, running).ids.empty());
    EXPECT_TRUE(FindListedPrograms({}, running).first.empty());
}

class ProgramWatch : public ::testing::Test {
protected:
    ProgramWatch() { watcher.SetPrograms({L"notepad.exe", L"obs64.exe"}); }
    std::uint64_t Reported(const std::wstring& name, std::uint64_t limitMs) {
        const std::uint64_t start = clock.Now();
        while (reports.empty() || reports.back() != name) {
            if (clock.Now() - start > limitMs)
                return ~0ull;
            clock.Advance(100);
            clock.Pump();
        }
        return clock.Now() - start;
    }

    fakes::VirtualClock clock;
    fakes::FakeTimerPort timer{clock};
    fakes::FakeProcessWatch processes{clock};
    Names reports;
    ProgramWatcher watcher{processes, timer,
                           [this](const std::wstring& p) { reports.push_back(p); }};
};

TEST_F(ProgramWatch, NoneRunningLooksEveryFiveSeconds) {
    EXPECT_TRUE(reports.empty()); // nothing changed: nothing reported
    EXPECT_EQ(processes.snapshots, 1);
    clock.Advance(60000);
    EXPECT_EQ(processes.snapshots, 1 + 12);
    EXPECT_TRUE(timer.Armed());
}

TEST_F(ProgramWatch, StartNoticedWithinFiveSecondsEndAtOnce) {
    clock.Advance(1000);
    processes.Start(40, L"Notepad.exe");
    EXPECT_LE(Reported(L"notepad.exe", 5000), 4000u);
    EXPECT_FALSE(timer.Armed()); // waits only
    const int snapshots = processes.snapshots;
    clock.Advance(10 * 60000);
    EXPECT_EQ(processes.snapshots, snapshots);

    processes.End(40);
    clock.Pump();
    EXPECT_EQ(reports, (Names{L"notepad.exe", L""}));
    EXPECT_TRUE(timer.Armed());
}

TEST_F(ProgramWatch, LastOfSeveralEndingEndsTheReason) {
    processes.Start(1, L"notepad.exe");
    processes.Start(2, L"obs64.exe");
    watcher.LookNow();
    EXPECT_EQ(watcher.Waiting(), 2u);
    processes.End(1);
    clock.Pump();
    EXPECT_EQ(reports.back(), L"notepad.exe");
    processes.End(2);
    clock.Pump();
    // Looked again at the last end: obs64.exe was named only once notepad ended.
    EXPECT_EQ(reports, (Names{L"notepad.exe", L""}));
}

TEST_F(ProgramWatch, OneEndsAnotherListedStillRuns) {
    processes.Start(1, L"notepad.exe");
    watcher.LookNow();
    processes.Start(2, L"obs64.exe"); // not looked for while notepad is waited on
    processes.End(1);
    clock.Pump();
    EXPECT_EQ(reports, (Names{L"notepad.exe", L"obs64.exe"}));
    EXPECT_EQ(watcher.Waiting(), 1u);
}

TEST_F(ProgramWatch, UnwaitableProcessIsLookedForEveryFiveSeconds) {
    processes.unwaitable.insert(7);
    processes.Start(7, L"obs64.exe");
    watcher.LookNow();
    EXPECT_EQ(reports.back(), L"obs64.exe");
    EXPECT_TRUE(timer.Armed());
    processes.End(7);
    EXPECT_LE(Reported(L"", 5000), 5000u);
}

TEST_F(ProgramWatch, EmptyListStopsLookingAndReportsNone) {
    processes.Start(1, L"notepad.exe");
    watcher.LookNow();
    watcher.SetPrograms({});
    EXPECT_EQ(reports, (Names{L"notepad.exe", L""}));
    EXPECT_FALSE(timer.Armed());
    EXPECT_TRUE(processes.waits.empty());
}

} // namespace
} // namespace staywick
