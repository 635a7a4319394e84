// The Win32 window watch: what the out-of-context win-event hooks deliver
// (here, under Wine too) for a window of this process, the titles a look
// sees, and the text rules' upper case that window titles are matched in.
#include "engine/title_patterns.h"
#include "platform/text_rules.h"
#include "platform/win32/window_watch_win32.h"
#include "ui/error_report.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

HWND MakeWindow(const wchar_t* title) {
    return ::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
}

bool Holds(const std::vector<std::wstring>& titles, const std::wstring& title) {
    return std::find(titles.begin(), titles.end(), title) != titles.end();
}

// Hooks asked for even under Wine, which sends only the creations: the
// filter lets a top-level window's through and no child control's.
TEST(WindowWatchWin32Test, HookedEventsComeForTopLevelWindowsAndTheLookSeesTheirTitles) {
    const bool wine = RunsUnderWine();
    WindowWatchWin32 watch(&ReportCurrentException, true);
    int changes = 0;
    ASSERT_TRUE(watch.HookWindows([&] { ++changes; }));
    HWND wnd = MakeWindow(L"Staywick hook probe \u03A9");
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(Holds(watch.VisibleTitles(), L"Staywick hook probe \u03A9")) << "not shown yet";
    ::ShowWindow(wnd, SW_SHOWNA);
    EXPECT_TRUE(PumpUntil(3000, [&] { return changes > 0; })) << "no event for creating or showing";
    EXPECT_TRUE(Holds(watch.VisibleTitles(), L"Staywick hook probe \u03A9"));

    changes = 0;
    HWND child = ::CreateWindowExW(0, L"BUTTON", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, wnd,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    PumpUntil(300, [] { return false; });
    EXPECT_EQ(changes, 0) << "a child control counted";

    ::SetWindowTextW(wnd, L"Renamed probe");
    if (!wine) {
        EXPECT_TRUE(PumpUntil(3000, [&] { return changes > 0; })) << "no event for a new title";
    }
    EXPECT_TRUE(Holds(watch.VisibleTitles(), L"Renamed probe"));
    changes = 0;
    ::DestroyWindow(wnd);
    if (!wine) {
        EXPECT_TRUE(PumpUntil(3000, [&] { return changes > 0; })) << "no event for the end";
    }
    EXPECT_FALSE(Holds(watch.VisibleTitles(), L"Renamed probe"));

    // Unhooked, nothing more comes.
    watch.UnhookWindows();
    changes = 0;
    HWND other = MakeWindow(L"Unheard probe");
    ::ShowWindow(other, SW_SHOWNA);
    PumpUntil(300, [] { return false; });
    ::DestroyWindow(other);
    EXPECT_EQ(changes, 0);
}

// Where the hooks' events never come (Wine), they are refused, so the
// watchers look by themselves; our own window in front is told as ours.
TEST(WindowWatchWin32Test, HooksRefusedUnderWineAndOwnWindowInFrontIsOurs) {
    WindowWatchWin32 watch(&ReportCurrentException);
    int changes = 0;
    EXPECT_EQ(watch.HookForeground([&] { ++changes; }), !RunsUnderWine());
    EXPECT_EQ(watch.HookWindows([] {}), !RunsUnderWine());
    HWND wnd = MakeWindow(L"Front probe");
    ASSERT_NE(wnd, nullptr);
    ::ShowWindow(wnd, SW_SHOW);
    ASSERT_TRUE(::SetForegroundWindow(wnd));
    ASSERT_EQ(::GetForegroundWindow(), wnd);
    EXPECT_EQ(watch.InFront().owner, FrontWindow::Owner::Self);
    if (!RunsUnderWine()) {
        EXPECT_TRUE(PumpUntil(3000, [&] { return changes > 0; })) << "no foreground event";
    }
    ::DestroyWindow(wnd);
}

TEST(WindowWatchWin32Test, TitlesMatchInTheSystemsUpperCase) {
    EXPECT_EQ(UpperCaseText(L"notepad \u03C9mega \u0105\u0107 \u0436"),
              L"NOTEPAD \u03A9MEGA \u0104\u0106 \u0416");
    const TitleMatcher matcher({L"*\u03C9MEGA*", L"Ksi\u0119gi ?"}, &UpperCaseText);
    EXPECT_EQ(matcher.FirstMatch({L"Untitled - \u03A9mega"}), L"*\u03C9MEGA*");
    EXPECT_EQ(matcher.FirstMatch({L"KSI\u0118GI \U0001F4D6"}), L"Ksi\u0119gi ?")
        << "a surrogate pair is one character";
    EXPECT_EQ(matcher.FirstMatch({L"Ksiegi 1"}), L"");
}

} // namespace
} // namespace staywick::test
