// The tray icon at sign-in: a refused NIM_ADD tried again through the retry
// timer (fired here by hand, so no test waits 2 minutes), what ends the
// tries, the icon shown again after a resume, and the notification window
// being a top-level window that the shell's broadcasts reach.
#include "stub_ports.h"
#include "tray/win32/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

namespace staywick {
namespace {

using test::ManualTimer;

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

std::vector<ShellCall> calls;
std::set<DWORD> refused; // the shell refuses these messages

BOOL WINAPI Shell(DWORD message, PNOTIFYICONDATAW data) {
    calls.push_back({message, *data});
    return refused.count(message) ? FALSE : TRUE;
}

class TrayRetryTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        refused.clear();
    }
    void TearDown() override { refused.clear(); }

    int Count(DWORD message) const {
        int n = 0;
        for (const ShellCall& c : calls)
            n += c.message == message;
        return n;
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (const ShellCall& c : calls)
            out.push_back(c.message);
        return out;
    }

    ManualTimer timer;
    TTrayIcon tray{nullptr, &Shell, &timer};
};

TEST_F(TrayRetryTest, ARefusedAddIsTriedEveryTwoSecondsUntilItSucceeds) {
    refused = {NIM_ADD};
    tray.SetVisible(true);
    EXPECT_TRUE(tray.Visible());
    ASSERT_TRUE(timer.armed);
    EXPECT_EQ(timer.interval, 2000u);
    EXPECT_TRUE(tray.RetryingAdd());
    timer.Expire();
    timer.Expire();
    EXPECT_EQ(Count(NIM_ADD), 3);
    // Meanwhile the status changed: the next try carries the current record.
    tray.SetHint(L"&Staywick is active");
    refused.clear();
    timer.Expire();
    ASSERT_EQ(Count(NIM_ADD), 4);
    ASSERT_EQ(calls.back().message, static_cast<DWORD>(NIM_SETVERSION)) << "once taken";
    const ShellCall& add = calls[calls.size() - 2];
    EXPECT_STREQ(add.data.szTip, L"&Staywick is active");
    EXPECT_EQ(std::memcmp(&add.data, &tray.Record(), sizeof(NOTIFYICONDATAW)), 0);
    EXPECT_FALSE(timer.armed) << "a success ends the tries";
    EXPECT_FALSE(tray.RetryingAdd());
}

TEST_F(TrayRetryTest, GivesUpSilentlyAfterTwoMinutes) {
    refused = {NIM_ADD};
    tray.SetVisible(true);
    for (int i = 0; i < 100 && timer.armed; ++i)
        timer.Expire();
    EXPECT_EQ(Count(NIM_ADD), 1 + 60) << "the first add and 60 tries, 2 s apart";
    EXPECT_FALSE(timer.armed);
    EXPECT_FALSE(tray.RetryingAdd());
    EXPECT_TRUE(tray.Visible()) << "still meant to be visible: \"TaskbarCreated\" adds it";
    refused.clear();
    ::SendMessageW(tray.NotificationWindow(), tray.TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Count(NIM_ADD), 62);
}

TEST_F(TrayRetryTest, TaskbarCreatedEndsTheTries) {
    refused = {NIM_ADD};
    tray.SetVisible(true);
    timer.Expire();
    refused.clear();
    ::SendMessageW(tray.NotificationWindow(), tray.TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(Count(NIM_ADD), 3);
    EXPECT_FALSE(timer.armed);
    timer.Expire();
    EXPECT_EQ(Count(NIM_ADD), 3);
}

TEST_F(TrayRetryTest, HidingAndTheSessionEndEndTheTries) {
    refused = {NIM_ADD};
    tray.SetVisible(true);
    ::SendMessageW(tray.NotificationWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(timer.armed);

    tray.SetVisible(false);
    tray.SetVisible(true);
    ASSERT_TRUE(timer.armed);
    refused = {NIM_ADD, NIM_DELETE};
    const int deletes = Count(NIM_DELETE);
    // The shell never took this icon: its refused delete is no error.
    EXPECT_NO_THROW(tray.SetVisible(false));
    EXPECT_EQ(Count(NIM_DELETE), deletes + 1) << "the delete still goes out";
    EXPECT_FALSE(timer.armed);
    const int adds = Count(NIM_ADD);
    timer.fire(); // a tick already under way finds nothing to do
    EXPECT_EQ(Count(NIM_ADD), adds);
}

TEST_F(TrayRetryTest, AnAddThatWorksStartsNoTries) {
    tray.SetVisible(true);
    EXPECT_FALSE(timer.armed);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
}

TEST_F(TrayRetryTest, ShownAgainAfterAResumeOnlyWhenTheShellLostIt) {
    tray.SetVisible(true);
    tray.ShowAgain();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}))
        << "known: only modified";

    refused = {NIM_MODIFY};
    tray.ShowAgain();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_MODIFY,
                                              NIM_ADD, NIM_SETVERSION}));
    EXPECT_FALSE(timer.armed);

    refused = {NIM_MODIFY, NIM_ADD};
    tray.ShowAgain();
    EXPECT_TRUE(timer.armed) << "a refused add after a resume is tried again too";

    tray.SetVisible(false);
    calls.clear();
    tray.ShowAgain();
    EXPECT_TRUE(calls.empty()) << "hidden: nothing to show";
}

TEST_F(TrayRetryTest, NotificationWindowIsTopLevelAndHearsTaskbarCreated) {
    HWND wnd = tray.NotificationWindow();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_EQ(::GetParent(wnd), nullptr);
    EXPECT_EQ(::GetAncestor(wnd, GA_PARENT), ::GetDesktopWindow())
        << "a child of the desktop, not a message-only window";
    EXPECT_EQ(::GetAncestor(wnd, GA_ROOT), wnd);
    EXPECT_EQ(::GetWindow(wnd, GW_OWNER), nullptr);

    refused = {NIM_ADD};
    tray.SetVisible(true);
    refused.clear();
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, tray.TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG,
                          2000, &ignored);
    EXPECT_EQ(Count(NIM_ADD), 2) << "the broadcast reached the window";
    EXPECT_FALSE(timer.armed);
}

TEST(TrayRetryOwnTimer, WithoutAGivenTimerTheTriesRunOnAWindowTimer) {
    calls.clear();
    refused = {NIM_ADD};
    TTrayIcon tray(nullptr, &Shell);
    tray.SetVisible(true);
    EXPECT_TRUE(tray.RetryingAdd());
    refused.clear();
    // Wait for the first try (2 s) by pumping this thread's messages.
    const ULONGLONG end = ::GetTickCount64() + 5000;
    while (tray.RetryingAdd() && ::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    EXPECT_FALSE(tray.RetryingAdd());
    int adds = 0;
    for (const ShellCall& c : calls)
        adds += c.message == NIM_ADD;
    EXPECT_EQ(adds, 2);
    refused.clear();
}

} // namespace
} // namespace staywick
