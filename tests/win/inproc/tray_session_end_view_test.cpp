// The tray's side of a session's end: the warning balloon (quiet time
// respected) names the end, a click on it is passed on while a click on
// another balloon is not taken for it, and "&Extend by 1 hour" shows only
// while asked to.
#include "tray/win32/tray_session_end_view.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

std::vector<NOTIFYICONDATAW> posted;

BOOL WINAPI RecordShell(DWORD, PNOTIFYICONDATAW data) {
    posted.push_back(*data);
    return TRUE;
}

TEST(TraySessionEndView, TheWarningBalloonAndItsClick) {
    UseStaywickResources();
    posted.clear();
    TMainTrayMenu menu;
    TTrayIcon tray(nullptr, &RecordShell);
    TTraySessionEndView view(menu, tray);
    int clicks = 0;
    tray.OnBalloonClick = [&] { clicks += view.WarningClicked() ? 1 : 0; };

    view.WarnOfEnd(L"17:30");
    ASSERT_FALSE(posted.empty());
    const NOTIFYICONDATAW& shown = posted.back();
    EXPECT_STREQ(shown.szInfoTitle, L"Staywick ends soon");
    EXPECT_STREQ(shown.szInfo,
                 L"Keeping awake ends at 17:30. Click here to keep awake one hour longer.");
    EXPECT_TRUE(shown.dwInfoFlags & NIIF_RESPECT_QUIET_TIME);
    EXPECT_EQ(shown.dwInfoFlags & NIIF_ICON_MASK, static_cast<DWORD>(NIIF_INFO));
    ::SendMessageW(tray.NotificationWindow(), kTrayCallbackMessage, tray.Record().uID,
                   NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);

    // A click on another balloon is not the warning's.
    ShowTrayBalloon(tray, L"The hotkey is taken", L"Choose another one", NIIF_WARNING);
    ::SendMessageW(tray.NotificationWindow(), kTrayCallbackMessage, tray.Record().uID,
                   NIN_BALLOONUSERCLICK);
    EXPECT_EQ(clicks, 1);

    EXPECT_FALSE(menu.MnuExtend().Visible);
    view.SetExtendVisible(true);
    EXPECT_TRUE(menu.MnuExtend().Visible);
    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 12);
    view.SetExtendVisible(false);
    EXPECT_EQ(::GetMenuItemCount(menu.Handle()), 11);
}

} // namespace
} // namespace staywick::test
