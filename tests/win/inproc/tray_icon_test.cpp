// Tray: every Shell_NotifyIconW call and the exact record it carries, the
// callback table, the end-of-session messages, "TaskbarCreated" and the
// balloon, posted and left up.
#include "common/app_error.h"
#include "stub_ports.h"
#include "tray/win32/tray_icon.h"
#include "tray_menu_support.h"
#include "ui/error_report.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace staywick {
namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

std::vector<ShellCall> calls;
BOOL shellResult = TRUE;

BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAW data) {
    calls.push_back({message, *data});
    return shellResult;
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        shellResult = TRUE;
    }
    void TearDown() override { shellResult = TRUE; }

    // The shell's callback for a mouse or balloon event.
    void Event(TTrayIcon& tray, UINT event) {
        ::SendMessageW(tray.NotificationWindow(), kTrayCallbackMessage, tray.Record().uID, event);
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (const ShellCall& c : calls)
            out.push_back(c.message);
        return out;
    }
};

TEST_F(TrayIconTest, RecordStartsAsTabledAndNothingIsShownUntilVisible) {
    TTrayIcon tray(nullptr, &RecordShell);
    const NOTIFYICONDATAW& r = tray.Record();
    EXPECT_TRUE(calls.empty());
    // The full size in a 64-bit process on 6.0 and later; the version-2
    // record (952 bytes) would lose the balloon's icon and quiet time.
    EXPECT_EQ(r.cbSize, 976u);
    EXPECT_EQ(r.hWnd, tray.NotificationWindow());
    EXPECT_TRUE(::IsWindow(r.hWnd));
    EXPECT_EQ(r.uID, 1u) << "the same number at every start, so Windows keeps the icon's place";
    EXPECT_EQ(r.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(r.uCallbackMessage, 0x401u);
    EXPECT_NE(r.hIcon, nullptr); // the program's icon while none is given
    EXPECT_STREQ(r.szTip, L"Staywick");
    EXPECT_STREQ(r.szInfo, L"");
    EXPECT_STREQ(r.szInfoTitle, L"");
    EXPECT_EQ(r.uTimeout, 10000u);
    EXPECT_EQ(r.dwInfoFlags, 0u);
    EXPECT_EQ(tray.Hint(), L"Staywick");
    EXPECT_FALSE(tray.Visible());
}

TEST_F(TrayIconTest, VisibleAddsOnceAndHidingDeletesOnce) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    tray.SetVisible(true);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}));
    EXPECT_EQ(std::memcmp(&calls[0].data, &tray.Record(), sizeof(NOTIFYICONDATAW)), 0);
    EXPECT_EQ(calls[1].data.uVersion, 4u) << "NOTIFYICON_VERSION_4";
    EXPECT_EQ(tray.Record().uTimeout, 10000u) << "the union's timeout is back for the balloon";
    tray.SetVisible(false);
    tray.SetVisible(false);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_DELETE}));
    EXPECT_EQ(calls[2].data.uID, calls[0].data.uID);
    EXPECT_EQ(calls[2].data.uID, 1u);
    // A second icon of another program instance numbers its icon 1 as well:
    // the shell tells them apart by the window.
    TTrayIcon other(nullptr, &RecordShell);
    EXPECT_EQ(other.Record().uID, 1u);
    EXPECT_NE(other.Record().hWnd, tray.Record().hWnd);
}

TEST_F(TrayIconTest, FailingDeleteOfAnAddedIconRaisesTheErrorAndFailingAddIsIgnored) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    shellResult = FALSE;
    try {
        tray.SetVisible(false);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), L"Cannot remove shell notification icon");
    }
    EXPECT_FALSE(tray.Visible());
    EXPECT_NO_THROW(tray.SetVisible(true)) << "a refused add is silent";
    EXPECT_TRUE(tray.Visible());
}

// An icon the shell never took, or no longer holds, is no error at the exit:
// a refused add at sign-in (ended while the tries go on, or after they gave
// up), or an icon taken out at the end of the session. The delete still goes
// out, in case the shell took the icon after all.
struct NeverHeldCase {
    const char* name = "";
    bool addTakenOnRetry = false; // a later try of the add succeeds before the exit
    bool sessionEnded = false;    // WM_ENDSESSION took the icon out first
    bool expectError = false;
};

class TrayIconNeverHeld : public TrayIconTest,
                          public ::testing::WithParamInterface<NeverHeldCase> {};

TEST_P(TrayIconNeverHeld, RemovingItReportsOnlyAFailureOfAnIconTheShellHeld) {
    const NeverHeldCase& row = GetParam();
    test::ManualTimer retry;
    TTrayIcon tray(nullptr, &RecordShell, &retry);
    shellResult = row.sessionEnded ? TRUE : FALSE;
    tray.SetVisible(true);
    if (row.addTakenOnRetry) {
        shellResult = TRUE;
        retry.Expire();
        ASSERT_FALSE(tray.RetryingAdd());
    }
    if (row.sessionEnded)
        ::SendMessageW(tray.NotificationWindow(), WM_ENDSESSION, TRUE, 0);
    shellResult = FALSE;
    const std::size_t before = calls.size();
    bool raised = false;
    try {
        tray.SetVisible(false);
    } catch (const AppError& e) {
        raised = true;
        EXPECT_EQ(e.Text(), L"Cannot remove shell notification icon");
    }
    EXPECT_EQ(raised, row.expectError);
    ASSERT_EQ(calls.size(), before + 1);
    EXPECT_EQ(calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.RetryingAdd());
}

INSTANTIATE_TEST_SUITE_P(
    Exit, TrayIconNeverHeld,
    ::testing::Values(
        NeverHeldCase{.name = "RefusedAddStillRetrying", .expectError = false},
        NeverHeldCase{.name = "RefusedAddTakenLater", .addTakenOnRetry = true, .expectError = true},
        NeverHeldCase{.name = "TakenOutAtSessionEnd", .sessionEnded = true, .expectError = false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayIconTest, ANotificationWindowThatCannotBeCreatedIsAnError) {
    test::RefusedWindowClass refused(L"TTrayIconNotifyWindow");
    ASSERT_TRUE(refused.Installed());
    try {
        TTrayIcon tray(nullptr, &RecordShell);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), L"Cannot create the tray icon window");
    }
    EXPECT_TRUE(calls.empty()) << "nothing goes to the shell";
}

TEST_F(TrayIconTest, HintModifiesOnlyWhenItDiffersAndIsCutTo127) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetHint(L"&Staywick is disabled"); // hidden: stored, nothing sent
    EXPECT_TRUE(calls.empty());
    EXPECT_STREQ(tray.Record().szTip, L"&Staywick is disabled");
    tray.SetVisible(true);
    tray.SetHint(L"&Staywick is disabled");
    EXPECT_EQ(calls.size(), 2u);
    tray.SetHint(L"&Staywick is active (30 minutes)");
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY}));
    EXPECT_STREQ(calls[2].data.szTip, L"&Staywick is active (30 minutes)"); // "&" kept
    EXPECT_TRUE(calls[2].data.uFlags & NIF_TIP);

    const std::wstring longHint(200, L'x');
    tray.SetHint(longHint);
    EXPECT_EQ(std::wstring(calls.back().data.szTip), longHint.substr(0, 127));
    EXPECT_EQ(tray.Hint(), longHint);
    tray.SetHint(L"");
    EXPECT_FALSE(calls.back().data.uFlags & NIF_TIP);
    EXPECT_TRUE(calls.back().data.uFlags & NIF_SHOWTIP) << "kept: it asks, it sets no text";
    EXPECT_STREQ(calls.back().data.szTip, L"");
}

TEST_F(TrayIconTest, IconIsCopiedAndAlwaysModifies) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    HICON given = ::LoadIconW(nullptr, IDI_WARNING);
    tray.SetIcon(given);
    tray.SetIcon(given);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_MODIFY}));
    EXPECT_NE(calls[2].data.hIcon, nullptr);
    EXPECT_NE(calls[2].data.hIcon, given); // a copy of its own
    EXPECT_EQ(calls[3].data.hIcon, tray.Icon());
    EXPECT_TRUE(calls[3].data.uFlags & NIF_ICON);
    tray.SetIcon(nullptr); // back to the program's icon
    EXPECT_EQ(calls.back().data.hIcon, calls[0].data.hIcon);
}

TEST_F(TrayIconTest, BalloonIsPostedOnceAndNothingWithdrawsIt) {
    constexpr wchar_t kTitle[] = L"Staywick is running near the tray";
    constexpr wchar_t kText[] = L"You can drag it to near the clock if you wish to have it visible";
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    calls.clear();
    ShowTrayBalloon(tray, kTitle, kText, 1);
    ASSERT_EQ(Messages(), std::vector<DWORD>(3, NIM_MODIFY)) << "title, text, show; no more";
    EXPECT_STREQ(calls[0].data.szInfoTitle, kTitle);
    EXPECT_FALSE(calls[0].data.uFlags & NIF_INFO);
    EXPECT_STREQ(calls[1].data.szInfo, kText);
    EXPECT_FALSE(calls[1].data.uFlags & NIF_INFO);
    // The show posts it: text, title, information icon, quiet time respected,
    // and the timeout.
    EXPECT_TRUE(calls[2].data.uFlags & NIF_INFO);
    EXPECT_EQ(calls[2].data.dwInfoFlags, 0x81u) << "NIIF_INFO | NIIF_RESPECT_QUIET_TIME";
    EXPECT_STREQ(calls[2].data.szInfo, kText);
    EXPECT_STREQ(calls[2].data.szInfoTitle, kTitle);
    EXPECT_EQ(calls[2].data.uTimeout, 10000u);
    // The stored text is forgotten and NIF_INFO is off the record; the text
    // stays in it, so no later call sends an empty one (which would take the
    // balloon down).
    EXPECT_EQ(tray.BalloonHint(), L"");
    EXPECT_EQ(tray.BalloonTitle(), kTitle);
    EXPECT_FALSE(tray.Record().uFlags & NIF_INFO);
    EXPECT_STREQ(tray.Record().szInfo, kText);

    // A second time the title is unchanged and the forgotten text counts as
    // new: the text is sent again and the balloon posted again.
    calls.clear();
    ShowTrayBalloon(tray, kTitle, kText, 1);
    ASSERT_EQ(Messages(), std::vector<DWORD>(2, NIM_MODIFY));
    EXPECT_STREQ(calls[0].data.szInfo, kText);
    EXPECT_FALSE(calls[0].data.uFlags & NIF_INFO);
    EXPECT_TRUE(calls[1].data.uFlags & NIF_INFO);
    EXPECT_STREQ(calls[1].data.szInfo, kText);
    EXPECT_FALSE(tray.Record().uFlags & NIF_INFO);
}

// What reaches the shell after the balloon, whatever the user did with it:
// every later call (status changes, a resume, a restarted shell) goes out
// without NIF_INFO, so none posts the balloon again.
struct AfterBalloonCase {
    const char* name = "";
    UINT shellEvent = 0; // the balloon's callback the shell sent; 0 for none
};

class TrayIconAfterBalloon : public TrayIconTest,
                             public ::testing::WithParamInterface<AfterBalloonCase> {};

TEST_P(TrayIconAfterBalloon, NoLaterCallPostsTheBalloonAgain) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    ShowTrayBalloon(tray, L"Staywick is running near the tray", L"You can drag it", 1);
    ASSERT_TRUE(calls.back().data.uFlags & NIF_INFO) << "posted once";
    if (GetParam().shellEvent != 0)
        Event(tray, GetParam().shellEvent);
    calls.clear();
    // A status change (tip and glyph), a resume that finds the icon, a
    // restarted shell.
    tray.SetHint(L"&Staywick is active");
    tray.SetIcon(::LoadIconW(nullptr, IDI_WARNING));
    tray.ShowAgain();
    ::SendMessageW(tray.NotificationWindow(), tray.TaskbarCreatedMessage(), 0, 0);
    ASSERT_EQ(Messages(),
              (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY, NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
    for (const ShellCall& call : calls)
        EXPECT_FALSE(call.data.uFlags & NIF_INFO) << "call " << call.message;
}

INSTANTIATE_TEST_SUITE_P(
    Balloon, TrayIconAfterBalloon,
    ::testing::Values(AfterBalloonCase{.name = "Clicked", .shellEvent = NIN_BALLOONUSERCLICK},
                      AfterBalloonCase{.name = "TimedOut", .shellEvent = NIN_BALLOONTIMEOUT},
                      AfterBalloonCase{.name = "Hidden", .shellEvent = NIN_BALLOONHIDE},
                      AfterBalloonCase{.name = "StillUp", .shellEvent = 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayIconTest, BalloonTextsAreCutAndSentEvenWhenHidden) {
    TTrayIcon tray(nullptr, &RecordShell);
    const std::wstring title(100, L't'), text(300, L'x');
    ShowTrayBalloon(tray, title, text, 2);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(std::wstring(calls[0].data.szInfoTitle), title.substr(0, 63));
    EXPECT_EQ(std::wstring(calls[1].data.szInfo), text.substr(0, 255));
    EXPECT_EQ(calls[2].data.dwInfoFlags, 0x82u) << "NIIF_WARNING | NIIF_RESPECT_QUIET_TIME";
    EXPECT_EQ(std::wstring(calls[2].data.szInfo), text.substr(0, 255));
}

struct CallbackCase {
    UINT event;
    int doubleClicks;
};

class TrayCallback : public TrayIconTest, public ::testing::WithParamInterface<CallbackCase> {};

TEST_P(TrayCallback, OnlyDoubleClicksRunTheHandler) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    int doubleClicks = 0;
    tray.OnDblClick = [&] { ++doubleClicks; };
    TRCPopupMenu menu; // opening it would block the test: it must not open
    int opened = 0;
    menu.OnPopup = [&](TRCPopupMenu&) { ++opened; };
    tray.PopupMenu = &menu;
    Event(tray, GetParam().event);
    EXPECT_EQ(doubleClicks, GetParam().doubleClicks);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(calls.size(), 2u); // nothing but the add and its version
}

INSTANTIATE_TEST_SUITE_P(
    Events, TrayCallback,
    ::testing::Values(CallbackCase{.event = WM_LBUTTONDBLCLK, .doubleClicks = 1},
                      CallbackCase{.event = WM_RBUTTONDBLCLK, .doubleClicks = 1},
                      CallbackCase{.event = WM_MBUTTONDBLCLK, .doubleClicks = 1},
                      CallbackCase{.event = WM_MOUSEMOVE, .doubleClicks = 0},
                      CallbackCase{.event = WM_LBUTTONDOWN, .doubleClicks = 0},
                      CallbackCase{.event = WM_LBUTTONUP, .doubleClicks = 0},
                      CallbackCase{.event = WM_RBUTTONDOWN, .doubleClicks = 0},
                      CallbackCase{.event = WM_MBUTTONDOWN, .doubleClicks = 0},
                      CallbackCase{.event = WM_MBUTTONUP, .doubleClicks = 0},
                      CallbackCase{.event = NIN_BALLOONUSERCLICK, .doubleClicks = 0},
                      CallbackCase{.event = 0x0402 /* NIN_BALLOONSHOW */, .doubleClicks = 0}));

TEST_F(TrayIconTest, RightButtonUpOpensTheMenuAfterTheWaitingMessages) {
    TTrayIcon tray(nullptr, &RecordShell);
    std::vector<std::string> order;
    tray.ProcessMessages = [&] { order.push_back("messages"); };
    TRCPopupMenu menu;
    menu.Items().Add(L"Item", L"&Item");
    menu.OnPopup = [&](TRCPopupMenu&) { order.push_back("popup"); };
    tray.PopupMenu = &menu;
    test::MenuDriver driver([](int tick, HWND open) { return !open && tick < 20; });
    Event(tray, WM_RBUTTONUP);
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(order, (std::vector<std::string>{"messages", "popup"}));
}

TEST_F(TrayIconTest, SessionEndAndShellRestart) {
    TTrayIcon tray(nullptr, &RecordShell);
    HWND wnd = tray.NotificationWindow();
    // A restarted shell while hidden: nothing to add.
    ::SendMessageW(wnd, tray.TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(calls.empty());
    tray.SetVisible(true);
    tray.SetHint(L"&Staywick is active");
    ::SendMessageW(wnd, tray.TaskbarCreatedMessage(), 0, 0);
    // The version is asked for again with every add: a new shell knows none.
    ASSERT_EQ(Messages(),
              (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_MODIFY, NIM_ADD, NIM_SETVERSION}));
    EXPECT_STREQ(calls[3].data.szTip, L"&Staywick is active"); // the current record
    EXPECT_EQ(calls[4].data.uVersion, 4u);
    EXPECT_EQ(::SendMessageW(wnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    ::SendMessageW(wnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(calls.size(), 5u);
    ::SendMessageW(wnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(Messages().back(), static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, BroadcastTaskbarCreatedReachesTheIcon) {
    TTrayIcon tray(nullptr, &RecordShell);
    tray.SetVisible(true);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, tray.TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG,
                          2000, &ignored);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_ADD, NIM_SETVERSION}));
}

TEST_F(TrayIconTest, DestructionDeletesTheIconAndItsWindow) {
    HWND wnd = nullptr;
    {
        TTrayIcon tray(nullptr, &RecordShell);
        tray.SetVisible(true);
        wnd = tray.NotificationWindow();
    }
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_DELETE}));
    EXPECT_FALSE(::IsWindow(wnd));
}

TEST_F(TrayIconTest, RealShellTakesAndRemovesTheIcon) {
    // With the real shell a second delete fails, as the error path expects.
    TTrayIcon tray(nullptr);
    tray.SetVisible(true);
    NOTIFYICONDATAW copy = tray.Record();
    tray.SetVisible(false);
    EXPECT_FALSE(::Shell_NotifyIconW(NIM_DELETE, &copy));
}

} // namespace
} // namespace staywick
