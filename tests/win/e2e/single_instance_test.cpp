// The real Staywick.exe started as separate processes: one instance per
// session, a second start exits at once, WM_CLOSE ends the program.
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace staywick::test {
namespace {

using SingleInstanceTest = PortableInstallTest;

DWORD OwnerPid(HWND wnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    return pid;
}

TEST_F(SingleInstanceTest, FirstStartKeepsRunningWithItsMainWindow) {
    Process first = Process::Start(exe_);
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(OwnerPid(main), first.Id());
    // Past its start-up step and back in its loop, it keeps running.
    EXPECT_EQ(WaitForStartUp(first.Id()), main);
    EXPECT_TRUE(first.Running()) << "the first instance must keep running";
    EXPECT_FALSE(::IsWindowVisible(main)) << "the main window is hidden at start";
}

TEST_F(SingleInstanceTest, SecondStartExitsWithZeroWithinTwoSeconds) {
    Process first = Process::Start(exe_);
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);

    Process second = Process::Start(exe_);
    const auto code = second.WaitExit(2000);
    ASSERT_TRUE(code.has_value()) << "the second start must end within 2 s";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(::FindWindowW(L"TFrmStaywickMain", nullptr), main);
}

TEST_F(SingleInstanceTest, CloseEndsTheProgramWithZeroAndFreesTheName) {
    Process first = Process::Start(exe_);
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    const auto code = first.WaitExit(5000);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);

    // The mutex went with it: the next start is a first instance again.
    Process next = Process::Start(exe_);
    HWND again = WaitForMainWindow(10000);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(OwnerPid(again), next.Id());
    EXPECT_EQ(WaitForStartUp(next.Id()), again);
    EXPECT_TRUE(next.Running());
}

TEST_F(SingleInstanceTest, TwentySimultaneousStartsLeaveExactlyOneRunning) {
    std::vector<Process> starts;
    for (int i = 0; i < 20; ++i)
        starts.push_back(Process::Start(exe_));

    HWND main = WaitForMainWindow(15000);
    ASSERT_NE(main, nullptr);
    int running = 0, zeroExits = 0;
    for (auto& p : starts) {
        const auto code = p.WaitExit(p.Id() == OwnerPid(main) ? 0 : 10000);
        if (!code) {
            ++running;
        } else if (*code == 0) {
            ++zeroExits;
        }
    }
    EXPECT_EQ(running, 1);
    EXPECT_EQ(zeroExits, 19);
}

} // namespace
} // namespace staywick::test
