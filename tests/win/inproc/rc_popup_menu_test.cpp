// TRCPopupMenu with the tray menu: how it is tracked, and right-clicks
// reported as OnMenuRightClick only for top-level items while the menu stays
// open.
#include "tray/win32/main_tray_menu.h"
#include "tray_menu_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

TEST(RCPopupMenu, TrayMenuIsTrackedWithLeftAlignAndRecurseOnly) {
    TMainTrayMenu menu;
    EXPECT_EQ(menu.TrackFlags(), 0x0001u);
    menu.Alignment = TPopupAlignment::paCenter;
    menu.MenuAnimation = maTopToBottom | maNone;
    EXPECT_EQ(menu.TrackFlags(), 0x0004u | 0x1000u | 0x4000u | 0x0001u);
    menu.Alignment = TPopupAlignment::paRight;
    menu.MenuAnimation = 0;
    EXPECT_EQ(menu.TrackFlags(), 0x0008u | 0x0001u);
    menu.RightToLeft = true;
    EXPECT_EQ(menu.TrackFlags(), 0x0001u);
    EXPECT_EQ(menu.TrackFlags() & TPM_RIGHTBUTTON, 0u);
}

TEST(RCPopupMenu, RightButtonUpOnATopLevelItemRaisesTheEventOnceAndOnlyThere) {
    TMainTrayMenu menu;
    HMENU handle = menu.Handle();
    std::vector<std::wstring> seen;
    menu.OnMenuRightClick = [&](TRCPopupMenu& sender, TMenuItem& item) {
        EXPECT_EQ(&sender, &menu);
        seen.push_back(item.Name());
    };
    HWND list = TRCPopupList::Instance().Window();
    EXPECT_EQ(::SendMessageW(list, WM_MENURBUTTONUP, 6, reinterpret_cast<LPARAM>(handle)), 0);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"MnuAbout"}));
    // A submenu's handle belongs to no menu of the list: nothing is raised.
    ::SendMessageW(list, WM_MENURBUTTONUP, 5, reinterpret_cast<LPARAM>(::GetSubMenu(handle, 2)));
    EXPECT_EQ(seen.size(), 1u);
}

TEST(RCPopupMenu, ListWindowLivesWhileMenusExist) {
    // Other tests' menus are gone by now: the window follows the last menu.
    ASSERT_TRUE(TRCPopupList::Instance().Menus().empty());
    EXPECT_EQ(TRCPopupList::Instance().Window(), nullptr);
    {
        TRCPopupMenu first;
        HWND wnd = TRCPopupList::Instance().Window();
        EXPECT_TRUE(::IsWindow(wnd));
        {
            TRCPopupMenu second;
            EXPECT_EQ(TRCPopupList::Instance().Window(), wnd);
        }
        EXPECT_TRUE(::IsWindow(wnd));
    }
    EXPECT_EQ(TRCPopupList::Instance().Window(), nullptr);
}

// Clicks the first item of the open menu with real input.
// The command of a chosen item is posted: it runs when the loop gets to it.
void DispatchWaitingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

void ClickFirstItem(HMENU menu, DWORD down, DWORD up) {
    RECT rc{};
    ::GetMenuItemRect(nullptr, menu, 0, &rc);
    ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    ::SendInput(2, input, sizeof(INPUT));
}

// Wine's menu loop never sends WM_MENURBUTTONUP itself, so the message the
// system sends on Windows is delivered by hand while the menu is really open.
TEST(RCPopupMenu, RightClickEventRunsInsideTheOpenMenuAndLeavesItOpen) {
    TMainTrayMenu menu;
    int rightClicks = 0, chosen = 0;
    TMenuItem* clicked = nullptr;
    menu.OnMenuRightClick = [&](TRCPopupMenu&, TMenuItem& item) {
        ++rightClicks;
        clicked = &item;
    };
    menu.Handlers.MnuActiveClick = [&] { ++chosen; };
    bool openAfterClick = false;
    test::MenuDriver driver([&](int tick, HWND open) {
        if (!open)
            return tick < 20;
        if (rightClicks == 0) {
            ::SendMessageW(TRCPopupList::Instance().Window(), WM_MENURBUTTONUP, 0,
                           reinterpret_cast<LPARAM>(menu.Handle()));
            return true;
        }
        openAfterClick = true;
        return false;
    });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    menu.Popup(100, 100);
    DispatchWaitingMessages();
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(rightClicks, 1);
    EXPECT_EQ(clicked, &menu.MnuActive());
    EXPECT_TRUE(openAfterClick);
    EXPECT_EQ(chosen, 0);
}

// A real right-click: tracked without TPM_RIGHTBUTTON, it chooses nothing
// and the menu stays open.
TEST(RCPopupMenu, RealRightClickWithoutHandlerLeavesTheMenuOpen) {
    TMainTrayMenu menu;
    int chosen = 0;
    menu.Handlers.MnuActiveClick = [&] { ++chosen; };
    bool stillOpen = false;
    int chosenAfterRightClick = -1;
    test::MenuDriver driver([&](int tick, HWND open) {
        if (tick == 3 && open)
            ClickFirstItem(menu.Handle(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        if (tick == 8) {
            stillOpen = open != nullptr;
            chosenAfterRightClick = chosen;
            // The same place with the left button does choose the item.
            ClickFirstItem(menu.Handle(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        }
        return tick < 20;
    });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    menu.Popup(100, 100);
    DispatchWaitingMessages();
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(chosenAfterRightClick, 0);
    EXPECT_EQ(chosen, 1);
}

} // namespace
} // namespace staywick
