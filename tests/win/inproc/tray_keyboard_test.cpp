// The tray icon and the keyboard: both forms of the shell's callback (the
// legacy one Wine sends, and NOTIFYICON_VERSION_4 posted here as Windows
// sends it), Enter on the icon, the menu at the icon's anchor, once per right
// click, focus back to the icon after a cancelled menu, and the WM_NULL after
// the menu.
#include "tray/win32/tray_icon.h"
#include "tray_menu_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

std::vector<DWORD> shellMessages;

BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAW) {
    shellMessages.push_back(message);
    return TRUE;
}

// A callback as the shell sends it.
struct Callback {
    UINT event = 0;
    bool version4 = false;
    POINT anchor{}; // version 4 only
};

void Send(TTrayIcon& tray, const Callback& c) {
    const UINT id = tray.Record().uID;
    const WPARAM wParam = c.version4 ? MAKEWPARAM(c.anchor.x, c.anchor.y) : id;
    const LPARAM lParam = c.version4 ? MAKELPARAM(c.event, id) : static_cast<LPARAM>(c.event);
    ::SendMessageW(tray.NotificationWindow(), kTrayCallbackMessage, wParam, lParam);
}

void DispatchWaitingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

class TrayKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        shellMessages.clear();
        tray_.SetVisible(true);
        shellMessages.clear();
        tray_.OnDblClick = [this] { ++doubleClicks_; };
        tray_.TickCount = [this] { return now_; };
        menu_.Items().Add(L"Item", L"&Item");
        menu_.OnPopup = [this](TRCPopupMenu&) { ++menusOpened_; };
        tray_.PopupMenu = &menu_;
    }
    // Sends the callbacks while a driver closes every menu that opens (Esc)
    // and notes where it stood.
    void SendAll(const std::vector<Callback>& events) {
        test::MenuDriver driver([this](int, HWND open) {
            if (!open)
                return true;
            RECT rc{};
            ::GetWindowRect(open, &rc);
            menuAt_.push_back(POINT{rc.left, rc.top});
            return false;
        });
        for (const Callback& c : events)
            Send(tray_, c);
        DispatchWaitingMessages();
    }

    TTrayIcon tray_{nullptr, &RecordShell};
    TRCPopupMenu menu_;
    int doubleClicks_ = 0;
    int menusOpened_ = 0;
    DWORD now_ = 100000;
    std::vector<POINT> menuAt_;
};

struct CallbackCase {
    const char* name = "";
    std::vector<Callback> events;
    int doubleClicks = 0;
    int menus = 0;
};

class TrayCallbackForms : public TrayKeyboardTest,
                          public ::testing::WithParamInterface<CallbackCase> {};

TEST_P(TrayCallbackForms, EachFormDoesWhatItsEventAsks) {
    const CallbackCase& row = GetParam();
    SendAll(row.events);
    EXPECT_EQ(doubleClicks_, row.doubleClicks);
    EXPECT_EQ(menusOpened_, row.menus);
}

constexpr POINT kAnchor{300, 200};

INSTANTIATE_TEST_SUITE_P(
    Forms, TrayCallbackForms,
    ::testing::Values(
        CallbackCase{.name = "LegacyDoubleClick",
                     .events = {{.event = WM_LBUTTONDBLCLK}},
                     .doubleClicks = 1},
        CallbackCase{.name = "LegacyRightClickOpensTheMenuOnce",
                     .events = {{.event = WM_RBUTTONDOWN}, {.event = WM_RBUTTONUP}},
                     .menus = 1},
        CallbackCase{.name = "LegacySingleLeftClickDoesNothing",
                     .events = {{.event = WM_LBUTTONDOWN}, {.event = WM_LBUTTONUP}}},
        CallbackCase{.name = "Version4DoubleClick",
                     .events = {{.event = WM_LBUTTONDBLCLK, .version4 = true, .anchor = kAnchor}},
                     .doubleClicks = 1},
        // Windows 10 follows every single left click with NIN_SELECT.
        CallbackCase{.name = "Version4SingleLeftClickDoesNothing",
                     .events = {{.event = WM_LBUTTONDOWN, .version4 = true, .anchor = kAnchor},
                                {.event = WM_LBUTTONUP, .version4 = true, .anchor = kAnchor},
                                {.event = NIN_SELECT, .version4 = true, .anchor = kAnchor}}},
        // A double click: click, select, double click, up, select.
        CallbackCase{.name = "Version4DoubleClickWithItsSelectsSwitchesOnce",
                     .events = {{.event = WM_LBUTTONUP, .version4 = true, .anchor = kAnchor},
                                {.event = NIN_SELECT, .version4 = true, .anchor = kAnchor},
                                {.event = WM_LBUTTONDBLCLK, .version4 = true, .anchor = kAnchor},
                                {.event = WM_LBUTTONUP, .version4 = true, .anchor = kAnchor},
                                {.event = NIN_SELECT, .version4 = true, .anchor = kAnchor}},
                     .doubleClicks = 1},
        CallbackCase{.name = "Version4EnterOnTheIcon",
                     .events = {{.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor}},
                     .doubleClicks = 1},
        // Windows delivers one Enter as two NIN_KEYSELECT.
        CallbackCase{.name = "Version4EnterDeliveredTwiceSwitchesOnce",
                     .events = {{.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor},
                                {.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor}},
                     .doubleClicks = 1},
        // Version 4: down, up, then WM_CONTEXTMENU; the menu opens once.
        CallbackCase{.name = "Version4RightClickOpensTheMenuOnce",
                     .events = {{.event = WM_RBUTTONDOWN, .version4 = true, .anchor = kAnchor},
                                {.event = WM_RBUTTONUP, .version4 = true, .anchor = kAnchor},
                                {.event = WM_CONTEXTMENU, .version4 = true, .anchor = kAnchor}},
                     .menus = 1},
        CallbackCase{.name = "Version4MenuKey",
                     .events = {{.event = WM_CONTEXTMENU, .version4 = true, .anchor = kAnchor}},
                     .menus = 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrayKeyboardTest, TheMenuOpensAtTheShellsAnchor) {
    SendAll({{.event = WM_CONTEXTMENU, .version4 = true, .anchor = kAnchor}});
    ASSERT_EQ(menuAt_.size(), 1u);
    EXPECT_EQ(menuAt_[0].x, kAnchor.x);
    EXPECT_EQ(menuAt_[0].y, kAnchor.y);
}

TEST_F(TrayKeyboardTest, EnterAgainAfterTheDoubleClickTimeSwitchesAgain) {
    SendAll({{.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor}});
    now_ += ::GetDoubleClickTime() - 1;
    SendAll({{.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor}});
    EXPECT_EQ(doubleClicks_, 1) << "the same key press";
    now_ += ::GetDoubleClickTime();
    SendAll({{.event = NIN_KEYSELECT, .version4 = true, .anchor = kAnchor}});
    EXPECT_EQ(doubleClicks_, 2) << "a second press";
}

TEST_F(TrayKeyboardTest, ACancelledMenuGivesTheFocusBackToTheIcon) {
    SendAll({{.event = WM_CONTEXTMENU, .version4 = true, .anchor = kAnchor}});
    ASSERT_EQ(menusOpened_, 1);
    EXPECT_EQ(shellMessages, std::vector<DWORD>{NIM_SETFOCUS});
}

TEST_F(TrayKeyboardTest, AChosenItemLeavesTheFocusWhereTheChoiceTookIt) {
    int chosen = 0;
    menu_.Items()[0].OnClick = [&](TMenuItem&) { ++chosen; };
    bool typed = false;
    test::MenuDriver driver([&](int tick, HWND open) {
        if (open && !typed) {
            ::PostMessageW(open, WM_CHAR, L'i', 0); // the item's access key
            typed = true;
        }
        return tick < 6; // the choice closes the menu meanwhile
    });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    Send(tray_, {.event = WM_CONTEXTMENU, .version4 = true, .anchor = kAnchor});
    DispatchWaitingMessages();
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(chosen, 1);
    EXPECT_TRUE(shellMessages.empty()) << "no NIM_SETFOCUS";
}

TEST_F(TrayKeyboardTest, AWmNullFollowsTheMenu) {
    test::MenuDriver driver([](int, HWND open) { return !open; });
    EXPECT_FALSE(menu_.Popup(100, 100)) << "closed without a choice";
    EXPECT_TRUE(driver.SawMenu());
    MSG msg;
    EXPECT_TRUE(
        ::PeekMessageW(&msg, TRCPopupList::Instance().Window(), WM_NULL, WM_NULL, PM_REMOVE));
}

TEST_F(TrayKeyboardTest, ARefusedAddAsksForNoVersion) {
    TTrayIcon refused(nullptr, [](DWORD message, PNOTIFYICONDATAW) -> BOOL {
        shellMessages.push_back(message);
        return message != NIM_ADD;
    });
    shellMessages.clear();
    refused.SetVisible(true);
    EXPECT_EQ(shellMessages, std::vector<DWORD>{NIM_ADD});
}

TEST(TrayCallbackRead, VersionFourCarriesTheIconInTheHighWordAndTheAnchorInWParam) {
    const TrayEvent v4 = ReadTrayCallback(MAKEWPARAM(1000, 740), MAKELPARAM(WM_CONTEXTMENU, 1), 1);
    EXPECT_TRUE(v4.version4);
    EXPECT_EQ(v4.message, static_cast<UINT>(WM_CONTEXTMENU));
    EXPECT_EQ(v4.anchor.x, 1000);
    EXPECT_EQ(v4.anchor.y, 740);
    // A second monitor left of the first: negative coordinates.
    const TrayEvent left =
        ReadTrayCallback(MAKEWPARAM(static_cast<WORD>(-20), 700), MAKELPARAM(NIN_KEYSELECT, 1), 1);
    EXPECT_EQ(left.anchor.x, -20);
    const TrayEvent legacy = ReadTrayCallback(1, WM_RBUTTONUP, 1);
    EXPECT_FALSE(legacy.version4);
    EXPECT_EQ(legacy.message, static_cast<UINT>(WM_RBUTTONUP));
}

} // namespace
} // namespace staywick
