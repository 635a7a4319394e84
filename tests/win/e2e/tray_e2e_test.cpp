// The tray with the real Staywick.exe in Wine's desktop taskbar: real mouse
// clicks on the icon, the menu chosen by keyboard, Exit, a second start's
// balloon (posted once and left up) and the shell's "TaskbarCreated" broadcast, each judged by what
// is visible from outside: the settings file, the icon's pixels, the menu windows, the exit code
// and what the program sends to the shell.
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"
#include "win/common/tray_driver.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

constexpr wchar_t kBalloonTitle[] = L"Staywick is running near the tray";
constexpr wchar_t kBalloonText[] =
    L"You can drag it to near the clock if you wish to have it visible";

// Clicks further apart than the system's double-click time never pair up;
// the time is a rule of the system, not a guess at how long work takes.
void WaitOutDoubleClickTime(ULONGLONG lastClick) {
    const ULONGLONG apart = lastClick + ::GetDoubleClickTime() + 100;
    const ULONGLONG now = ::GetTickCount64();
    if (now < apart)
        ::Sleep(static_cast<DWORD>(apart - now));
}

// Wine's shell draws a balloon 2 s after it is asked for, as a tooltip window.
HWND VisibleBalloon() {
    HWND tip = nullptr;
    while ((tip = ::FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr))) {
        if (::IsWindowVisible(tip) && (::GetWindowLongW(tip, GWL_STYLE) & 0x40 /* TTS_BALLOON */))
            return tip;
    }
    return nullptr;
}

std::string Settings(int active, int activateFor) {
    return SettingsFileText{.active = std::to_string(active),
                            .activateFor = std::to_string(activateFor)}
        .Text();
}

class TrayE2eTest : public PortableInstallTest {
protected:
    void SetUp() override {
        PortableInstallTest::SetUp();
        ASSERT_FALSE(SeeTrayIcon().has_value()) << "the notification area must start empty";
    }
    void TearDown() override {
        // A menu left open by a failed step: close it before the program.
        if (program_.Running() && !VisibleMenus(program_.Id()).empty()) {
            PressKey(VK_ESCAPE);
            PressKey(VK_ESCAPE);
        }
        PortableInstallTest::TearDown();
    }

    // Starts the program with the given settings and waits for its glyph.
    void Start(int active, int activateFor = 0) {
        WriteFileBytes(SettingsPath(), Settings(active, activateFor));
        program_ = Process::Start(exe_);
        ASSERT_NE(WaitForMainWindow(10000), nullptr);
        const auto seen = WaitForTrayIcon(true, 5000);
        ASSERT_TRUE(seen.has_value()) << "no icon in the notification area";
        ASSERT_TRUE(WaitUntil(3000, [&] {
            return SeeTrayIcon() && SeeTrayIcon()->struck == (active != 0);
        })) << "the glyph shows the loaded state";
    }

    std::string SavedSettings() const { return ReadFileBytes(SettingsPath()); }
    bool WaitForSaved(const std::string& expected) const {
        return WaitUntil(5000, [&] { return SavedSettings() == expected; });
    }
    bool WaitForGlyph(bool struck) const {
        return WaitUntil(3000, [&] {
            const auto seen = SeeTrayIcon();
            return seen && seen->struck == struck;
        });
    }
    bool OpenMenu() {
        return ClickTrayIcon(3) &&
               WaitUntil(3000, [&] { return VisibleMenus(program_.Id()).size() == 1; });
    }

    // The glyph is drawn black on Wine's white taskbar only when the taskbar counts as light.
    ScopedPersonalizeValue lightTaskbar_{L"SystemUsesLightTheme", 1};
    Process program_;
};

TEST_F(TrayE2eTest, DoubleClickSwitchesKeepingAwakeAndASingleClickDoesNothing) {
    Start(0);
    const auto before = SeeTrayIcon();
    ASSERT_TRUE(before.has_value());
    EXPECT_FALSE(before->struck) << "off: the glyph without the stroke";

    ASSERT_TRUE(ClickTrayIcon(1));
    // The next click must not pair with this one anyway; by then the single
    // click has long reached the program, and the sync waits for its handler.
    WaitOutDoubleClickTime(::GetTickCount64());
    ASSERT_TRUE(SyncWithWindow(ProgramNotifyWindow()));
    EXPECT_EQ(SavedSettings(), Settings(0, 0)) << "a single left click changes nothing";
    EXPECT_TRUE(VisibleMenus(program_.Id()).empty());

    ASSERT_TRUE(DoubleClickTrayIcon());
    const ULONGLONG doubleClicked = ::GetTickCount64();
    EXPECT_TRUE(WaitForSaved(Settings(1, 0))) << SavedSettings();
    EXPECT_TRUE(WaitForGlyph(true)) << "on: the struck-through glyph";

    WaitOutDoubleClickTime(doubleClicked);
    ASSERT_TRUE(DoubleClickTrayIcon());
    EXPECT_TRUE(WaitForSaved(Settings(0, 0))) << SavedSettings();
    EXPECT_TRUE(WaitForGlyph(false));
    EXPECT_TRUE(program_.Running());
}

TEST_F(TrayE2eTest, RightClickMenuThirtyMinutesByKeyboardSavesAndSwitchesOn) {
    Start(0);
    ASSERT_TRUE(OpenMenu()) << "right button up opens the menu";
    // A is shared with "&About...": it only highlights "&Activate for", and
    // Right opens the submenu on its first entry.
    PressKey('A');
    PressKey(VK_RIGHT);
    ASSERT_TRUE(WaitUntil(2000, [&] { return VisibleMenus(program_.Id()).size() == 2; }))
        << "the highlighted item opens its submenu";
    for (int i = 0; i < 4; ++i)
        PressKey(VK_DOWN); // 5, 10, 15, 30 Minutes (the separator skipped)
    PressKey(VK_RETURN);

    EXPECT_TRUE(WaitForSaved(Settings(1, 30))) << SavedSettings();
    EXPECT_TRUE(WaitUntil(2000, [&] { return VisibleMenus(program_.Id()).empty(); }));
    EXPECT_TRUE(WaitForGlyph(true));
}

// In the dark look the program resolves access keys itself: A, A moves the
// highlight from "&Activate for" to "&About...", and Return chooses it.
TEST_F(TrayE2eTest, DarkMenuSharedAccessKeyTwiceThenReturnOpensAboutAndChangesNothing) {
    ScopedPersonalizeValue darkApps(L"AppsUseLightTheme", 0);
    Start(0);
    HWND main = WaitForMainWindow(1000);
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(::IsWindowVisible(main)) << "the About window is hidden at start";
    ASSERT_TRUE(OpenMenu());
    PressKey('A');
    PressKey('A');
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil(3000, [&] { return ::IsWindowVisible(main) != FALSE; }))
        << "the About window opens";
    EXPECT_TRUE(WaitUntil(2000, [&] { return VisibleMenus(program_.Id()).empty(); }));
    // Everything the keys caused has been handled once the program answers.
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0);
    EXPECT_EQ(SavedSettings(), Settings(0, 0)) << "no setting changed";
    const auto seen = SeeTrayIcon();
    ASSERT_TRUE(seen.has_value());
    EXPECT_FALSE(seen->struck) << "still off";
}

TEST_F(TrayE2eTest, ExitRemovesTheIconAndEndsWithZero) {
    Start(0);
    ASSERT_TRUE(OpenMenu());
    PressKey('X'); // "E&xit"
    const auto code = program_.WaitExit(5000);
    ASSERT_TRUE(code.has_value()) << "Exit must end the program";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(WaitForTrayIcon(false, 3000).has_value()) << "the icon must leave the taskbar";
    EXPECT_EQ(SavedSettings(), Settings(0, 0)) << "nothing is saved at exit";
}

// What Restart Manager does to close the program for an installer, and what
// the system does at sign-out: every top-level window of the program is
// asked (WM_QUERYENDSESSION), then told (WM_ENDSESSION), both with
// ENDSESSION_CLOSEAPP. `tellTrayFirst` puts the tray's window at the head of
// both rounds, the other windows follow in z-order.
void EndSessionAsRestartManager(DWORD pid, bool tellTrayFirst) {
    std::vector<HWND> windows = ProcessWindows(pid, nullptr);
    HWND tray = TrayNotifyWindow(pid);
    ASSERT_NE(tray, nullptr);
    ASSERT_GE(windows.size(), 3u) << "the application, main and tray windows at least";
    std::erase(windows, tray);
    windows.insert(tellTrayFirst ? windows.begin() : windows.end(), tray);
    for (HWND wnd : windows) {
        DWORD_PTR answer = 0;
        ASSERT_NE(::SendMessageTimeoutW(wnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP,
                                        SMTO_ABORTIFHUNG, 5000, &answer),
                  0);
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program agrees to end";
    }
    for (HWND wnd : windows) {
        // Once the program has ended, the windows left are gone: no answer.
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(wnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000,
                              &answer);
    }
}

TEST_F(TrayE2eTest, EndSessionForRestartManagerEndsWithZeroAndTakesTheIcon) {
    for (const bool tellTrayFirst : {false, true}) {
        SCOPED_TRACE(tellTrayFirst ? "the tray's window told first" : "the tray's window last");
        Start(1);
        const ULONGLONG told = ::GetTickCount64();
        EndSessionAsRestartManager(program_.Id(), tellTrayFirst);
        const ULONGLONG spent = ::GetTickCount64() - told;
        const auto code = program_.WaitExit(spent < 5000 ? static_cast<DWORD>(5000 - spent) : 0);
        ASSERT_TRUE(code.has_value()) << "ended within 5 s of being told";
        EXPECT_EQ(*code, 0u);
        EXPECT_FALSE(WaitForTrayIcon(false, 3000).has_value()) << "the icon must leave the taskbar";
        EXPECT_EQ(SavedSettings(), Settings(1, 0)) << "nothing is saved at the end";
    }
}

TEST_F(TrayE2eTest, TheIconIsAddedOnceAndShowsTheTrueStatusFromTheStart) {
    WriteFileBytes(SettingsPath(), Settings(1, 0));
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    program_ = Process::Start(exe_);
    HWND main = WaitForMainWindow(10000);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil(5000, [&] { return !shell.Requests().empty(); }));
    // Start-up ends in a message the window posted to itself, ahead of this
    // sync; the shell then holds every request the start-up sent.
    ASSERT_TRUE(SyncWithWindow(main));
    ASSERT_TRUE(SyncWithWindow(shell.Window()));
    // The add asks for version 4, which Wine passes on to the shell.
    EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION}))
        << "one add, no changes after it";
    EXPECT_TRUE(HoldsText(shell.Requests().front(), L"&Staywick is active"));

    // Ended while the stand-in still answers, so the removal reaches it.
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program_.WaitExit(5000).value_or(1234), 0u);
    EXPECT_EQ(shell.Messages().back(), static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayE2eTest, SecondStartMakesTheFirstPostItsBalloonAndLeaveItUp) {
    Start(0);
    {
        // While it exists, the program's shell requests come to this window.
        StandInShell shell;
        ASSERT_NE(shell.Window(), nullptr);
        Process second = Process::Start(exe_);
        EXPECT_EQ(second.WaitExit(3000).value_or(1234), 0u) << "the second start exits with 0";
        ASSERT_TRUE(WaitUntil(3000, [&] { return shell.Requests().size() >= 3; }));
        // Nothing more may follow: once the program's handler has returned,
        // any further request it sent is ahead of this sync in the shell's queue.
        ASSERT_TRUE(SyncWithWindow(ProgramNotifyWindow()));
        ASSERT_TRUE(SyncWithWindow(shell.Window()));
        const auto requests = shell.Requests();
        ASSERT_EQ(requests.size(), 3u) << "title, text, show; nothing takes it back";
        EXPECT_EQ(shell.Messages(), std::vector<DWORD>(3, NIM_MODIFY));
        EXPECT_FALSE(RequestFlags(requests[0]) & NIF_INFO);
        EXPECT_FALSE(RequestFlags(requests[1]) & NIF_INFO);
        // The shell passes the balloon's texts on only with NIF_INFO.
        EXPECT_TRUE(RequestFlags(requests[2]) & NIF_INFO) << "the show";
        EXPECT_TRUE(HoldsText(requests[2], kBalloonTitle));
        EXPECT_TRUE(HoldsText(requests[2], kBalloonText));
    }
    EXPECT_TRUE(program_.Running()) << "the first instance keeps running";

    // With the real shell the balloon appears and is still up seconds later.
    Process third = Process::Start(exe_);
    EXPECT_EQ(third.WaitExit(3000).value_or(1234), 0u);
    HWND balloon = nullptr;
    ASSERT_TRUE(WaitUntil(6000, [&] { return (balloon = VisibleBalloon()) != nullptr; }))
        << "no balloon";
    // A balloon taken down sends no event the test could wait for: a bounded
    // window (Wine keeps a balloon up for at least 10 s) shows it stays.
    ::Sleep(4000);
    EXPECT_EQ(VisibleBalloon(), balloon) << "the balloon must stay up";
    const auto seen = SeeTrayIcon();
    ASSERT_TRUE(seen.has_value());
    EXPECT_FALSE(seen->struck);
    EXPECT_TRUE(program_.Running());
}

TEST_F(TrayE2eTest, AClickedBalloonIsNotPostedAgainByAStatusChangeOrARestartedShell) {
    Start(0);
    StandInShell shell;
    ASSERT_NE(shell.Window(), nullptr);
    Process second = Process::Start(exe_);
    EXPECT_EQ(second.WaitExit(3000).value_or(1234), 0u);
    ASSERT_TRUE(WaitUntil(3000, [&] { return shell.Requests().size() >= 3; }));
    ASSERT_TRUE(RequestFlags(shell.Requests()[2]) & NIF_INFO) << "the show";

    // The user clicks the balloon and then switches keeping-awake on; then
    // the shell restarts. Each sends the icon to the shell again.
    HWND notify = ProgramNotifyWindow();
    constexpr UINT kCallback = WM_USER + 1;
    ::PostMessageW(notify, kCallback, kProgramTrayIconId, NIN_BALLOONUSERCLICK);
    ::PostMessageW(notify, kCallback, kProgramTrayIconId, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitForSaved(Settings(1, 0))) << SavedSettings();
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                          SMTO_ABORTIFHUNG, 3000, &result);
    ASSERT_TRUE(WaitUntil(3000, [&] {
        const auto messages = shell.Messages();
        return messages.size() >= 2 && messages[messages.size() - 2] == DWORD{NIM_ADD} &&
               messages.back() == DWORD{NIM_SETVERSION};
    }));
    ASSERT_TRUE(SyncWithWindow(notify));
    ASSERT_TRUE(SyncWithWindow(shell.Window()));
    const auto requests = shell.Requests();
    ASSERT_GE(requests.size(), 6u) << "tip, glyph and the add after the balloon";
    for (std::size_t i = 3; i < requests.size(); ++i)
        EXPECT_FALSE(RequestFlags(requests[i]) & NIF_INFO) << "request " << i << " re-posts it";
    EXPECT_TRUE(HoldsText(requests.back(), L"&Staywick is active"));
}

TEST_F(TrayE2eTest, TaskbarCreatedBroadcastBringsARemovedIconBack) {
    Start(1);
    // Take the icon out of the shell as a restarting shell loses it.
    HWND notify = ProgramNotifyWindow();
    ASSERT_NE(notify, nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = notify;
    data.uID = kProgramTrayIconId;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(WaitForTrayIcon(false, 3000).has_value()) << "the icon must be gone first";

    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    const auto back = WaitForTrayIcon(true, 3000);
    ASSERT_TRUE(back.has_value()) << "the icon must come back";
    EXPECT_TRUE(back->struck) << "with the current glyph";

    // The icon that came back is the program's own: it still answers clicks.
    ASSERT_TRUE(DoubleClickTrayIcon());
    EXPECT_TRUE(WaitForSaved(Settings(0, 0))) << SavedSettings();
    EXPECT_TRUE(WaitForGlyph(false));
}

} // namespace
} // namespace staywick::test
