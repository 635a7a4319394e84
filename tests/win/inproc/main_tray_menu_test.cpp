// MainTrayMenu: the items in their fixed order and the click path (auto-check
// first, then the handler).
#include "tray/win32/main_tray_menu.h"
#include "tray_menu_support.h"
#include "ui/visual_style.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace staywick {
namespace {

using test::MenuType;

struct ExpectedItem {
    const wchar_t* caption; // nullptr: separator
    std::int64_t tag;
};

std::wstring MenuText(HMENU menu, UINT position) {
    wchar_t buf[128] = {};
    ::GetMenuStringW(menu, position, buf, 128, MF_BYPOSITION);
    return buf;
}

bool MenuChecked(HMENU menu, UINT position) {
    return (::GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0;
}

void CheckItems(HMENU menu, const TMenuItem& parent, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(::GetMenuItemCount(menu), static_cast<int>(expected.size()));
    ASSERT_EQ(parent.Count(), expected.size());
    for (UINT i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        if (!expected[i].caption) {
            EXPECT_TRUE(MenuType(menu, i) & MFT_SEPARATOR);
            EXPECT_TRUE(parent[i].IsSeparator());
        } else {
            EXPECT_EQ(MenuText(menu, i), expected[i].caption);
            EXPECT_EQ(parent[i].Caption(), expected[i].caption);
        }
        EXPECT_EQ(parent[i].Tag, expected[i].tag);
    }
}

// The text a screen reader takes for an owner-drawn item: the MSAAMENUINFO
// at the start of its item data ("Exposing Owner-Drawn Menu Items").
std::wstring MsaaText(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || !info.dwItemData)
        return L"(no item data)";
    const auto* msaa = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
    if (msaa->dwMSAASignature != 0xAA0DF00Du)
        return L"(no signature)";
    return std::wstring(msaa->pszWText, msaa->cchWText);
}

TEST(TrayMenu, OwnerDrawnItemsNameThemselvesWithTheirAccessKeys) {
    TMainTrayMenu menu;
    menu.ApplyLook(true);
    HMENU handle = menu.Handle();
    ASSERT_TRUE(MenuType(handle, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(MsaaText(handle, 0), L"&Staywick is disabled");
    EXPECT_EQ(MsaaText(handle, 2), L"&Activate for");
    EXPECT_EQ(MsaaText(handle, 3), L"&Options...");
    EXPECT_EQ(MsaaText(handle, 8), L"E&xit");
    HMENU activateFor = ::GetSubMenu(handle, 2);
    ASSERT_TRUE(MenuType(activateFor, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(MsaaText(activateFor, 0), L"&Indefinitely");
    EXPECT_EQ(MsaaText(activateFor, 2), L"5 Minutes");
    // The status item's caption changes with the state: its name follows.
    menu.Items()[0].SetCaption(L"&Staywick is active (30 minutes)");
    EXPECT_EQ(MsaaText(handle, 0), L"&Staywick is active (30 minutes)");
    // The standard look keeps the same data.
    menu.ApplyLook(false);
    EXPECT_FALSE(MenuType(handle, 0) & MFT_OWNERDRAW);
    EXPECT_EQ(MsaaText(handle, 8), L"E&xit");
}

TEST(TrayMenu, HasTheItemsInTheirOrderWithCaptionsAndTags) {
    test::UseStaywickResources();
    TMainTrayMenu menu;
    // Shown while a session has an end.
    menu.SetItemVisible(menu.MnuExtend(), true);
    HMENU handle = menu.Handle();
    CheckItems(handle, menu.Items(),
               {{L"&Staywick is disabled", 0},
                {nullptr, 0},
                {L"&Activate for", 0},
                {L"&Options...", 0},
                {nullptr, 0},
                {L"&Donate", 0},
                {L"&About...", 0},
                {nullptr, 0},
                {L"E&xit", 0},
                // After the designed items.
                {nullptr, 0},
                {L"&Keep the display on", 0},
                {L"&Extend by 1 hour", 0}});
    HMENU sub = ::GetSubMenu(handle, 2);
    ASSERT_NE(sub, nullptr);
    CheckItems(sub, menu.MnuOptions(),
               {{L"&Indefinitely", 0},
                {nullptr, 0},
                {L"5 Minutes", 5},
                {L"10 Minutes", 10},
                {L"15 Minutes", 15},
                {L"30 Minutes", 30},
                {L"1 Hour", 60},
                {L"2 Hours", 120},
                {L"4 Hours", 240},
                {L"6 Hours", 360},
                {L"8 Hours", 480},
                {L"10 Hours", 600},
                {L"12 Hours", 720},
                // After the designed items: a separator, "Until...",
                // "While a program runs..." and "&For...".
                {nullptr, 0},
                {L"Until...", 0},
                {L"While a program runs...", 0},
                {L"&For...", 0},
                {L"&When it ends", 0}});
    HMENU whenItEnds = ::GetSubMenu(sub, 17);
    ASSERT_NE(whenItEnds, nullptr);
    CheckItems(whenItEnds, menu.MnuWhenItEnds(),
               {{L"&Do nothing", 0},
                {L"Turn the &display off", 1},
                {L"&Lock", 2},
                {L"&Sleep", 3},
                {L"&Hibernate", 4},
                {L"Shut d&own", 5}});
    for (UINT i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(MenuType(whenItEnds, i) & MFT_RADIOCHECK);
        EXPECT_EQ(MenuChecked(whenItEnds, i), i == 0) << "nothing happens until chosen";
    }
    // The controller's positions: thirteen items, the separator at 1.
    const std::int64_t tags[] = {0, 0, 5, 10, 15, 30, 60, 120, 240, 360, 480, 600, 720};
    for (std::size_t i = 0; i < std::size(tags); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu.ActivateForTag(i), tags[i]);
        EXPECT_EQ(menu.ActivateForItem(i).AutoCheck, i != 1);
    }
    // Only the status item is the default (bold) one; nothing is checked yet.
    EXPECT_EQ(::GetMenuDefaultItem(handle, TRUE, 0), 0u);
    EXPECT_EQ(::GetMenuDefaultItem(sub, TRUE, 0), static_cast<UINT>(-1));
    for (UINT i = 0; i < 16; ++i)
        EXPECT_FALSE(MenuChecked(sub, i));
    EXPECT_FALSE(menu.MnuActive().AutoCheck);
    EXPECT_FALSE(menu.MnuUntil().AutoCheck) << "its check mark is the controller's";
}

// Sends the command of an item to the list window, as the system does when
// the item is chosen.
void Choose(TMenuItem& item) {
    ::SendMessageW(TRCPopupList::Instance().Window(), WM_COMMAND, item.Command(), 0);
}

TEST(TrayMenu, UntilRunsItsHandlerAndLeavesTheCheckMarks) {
    TMainTrayMenu menu;
    HMENU sub = ::GetSubMenu(menu.Handle(), 2);
    int untilClicks = 0;
    menu.Handlers.MnuUntilClick = [&] { ++untilClicks; };
    Choose(menu.MnuUntil());
    EXPECT_EQ(untilClicks, 1);
    EXPECT_FALSE(menu.MnuUntil().Checked());
    menu.MnuUntil().SetChecked(true);
    EXPECT_TRUE(MenuChecked(sub, 14));
}

TEST(TrayMenu, WhileAProgramRunsRunsItsHandlerAndCanBeGreyed) {
    TMainTrayMenu menu;
    HMENU sub = ::GetSubMenu(menu.Handle(), 2);
    int clicks = 0;
    menu.Handlers.MnuWhileClick = [&] { ++clicks; };
    Choose(menu.MnuWhile());
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(menu.MnuWhile().Checked());
    EXPECT_FALSE(::GetMenuState(sub, 15, MF_BYPOSITION) & MF_GRAYED);
    menu.MnuWhile().SetEnabled(false);
    EXPECT_TRUE(::GetMenuState(sub, 15, MF_BYPOSITION) & MF_GRAYED);
}

TEST(TrayMenu, ChoosingADurationAutoChecksThenRunsTheHandlerWithItsPosition) {
    TMainTrayMenu menu;
    HMENU sub = ::GetSubMenu(menu.Handle(), 2);
    std::vector<std::size_t> chosen;
    std::vector<bool> checkedInHandler;
    // The handler leaves the marks alone: what the menu shows afterwards is
    // the items' own toggling (the controller's "only one mark" is its own).
    menu.Handlers.Indefinitely1Click = [&](std::size_t position) {
        chosen.push_back(position);
        checkedInHandler.push_back(menu.ActivateForChecked(position));
    };
    Choose(menu.ActivateForItem(5)); // "30 Minutes"
    Choose(menu.ActivateForItem(8)); // "4 Hours"
    Choose(menu.ActivateForItem(8)); // the same again: its mark goes
    EXPECT_EQ(chosen, (std::vector<std::size_t>{5, 8, 8}));
    // The item's own toggle ran before the handler.
    EXPECT_EQ(checkedInHandler, (std::vector<bool>{true, true, false}));
    for (UINT i = 0; i < 13; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(MenuChecked(sub, i), i == 5);
        EXPECT_EQ(menu.ActivateForChecked(i), i == 5);
    }
    // A mark set from outside reaches the menu the system shows.
    menu.SetActivateForChecked(5, false);
    menu.SetActivateForChecked(8, true);
    EXPECT_FALSE(MenuChecked(sub, 5));
    EXPECT_TRUE(MenuChecked(sub, 8));
}

TEST(TrayMenu, EveryItemRunsItsOwnHandler) {
    TMainTrayMenu menu;
    menu.Handle();
    std::vector<std::wstring> ran;
    menu.Handlers.MnuActiveClick = [&] { ran.push_back(L"active"); };
    menu.Handlers.SetMaximumsystemidletime1Click = [&] { ran.push_back(L"options"); };
    menu.Handlers.MnuDonateClick = [&] { ran.push_back(L"donate"); };
    menu.Handlers.MnuAboutClick = [&] { ran.push_back(L"about"); };
    menu.Handlers.MnuQuitClick = [&] { ran.push_back(L"quit"); };
    for (std::size_t i : {0u, 3u, 5u, 6u, 8u})
        Choose(menu.Items()[i]);
    EXPECT_EQ(ran,
              (std::vector<std::wstring>{L"active", L"options", L"donate", L"about", L"quit"}));
    // The status item is no auto-check item: its mark is the controller's.
    EXPECT_FALSE(menu.MnuActive().Checked());
}

// "&When it ends": each item runs its handler with its action; the
// controller's choice moves the radio mark, greys all under the policy and
// leaves out "&Hibernate" where the system has none. "&Extend by 1 hour"
// runs its own handler.
TEST(TrayMenu, WhenItEndsAndExtendRunTheirHandlers) {
    TMainTrayMenu menu;
    menu.SetItemVisible(menu.MnuExtend(), true);
    menu.Handle();
    std::vector<EndAction> chosen;
    int extends = 0;
    menu.Handlers.MnuEndActionClick = [&](EndAction action) { chosen.push_back(action); };
    menu.Handlers.MnuExtendClick = [&] { ++extends; };
    Choose(menu.EndActionItem(EndAction::Sleep));
    Choose(menu.EndActionItem(EndAction::ShutDown));
    Choose(menu.MnuExtend());
    EXPECT_EQ(chosen, (std::vector<EndAction>{EndAction::Sleep, EndAction::ShutDown}));
    EXPECT_EQ(extends, 1);

    menu.SetEndActionChoice(EndAction::Lock, true, false);
    HMENU whenItEnds = ::GetSubMenu(::GetSubMenu(menu.Handle(), 2), 17);
    ASSERT_EQ(::GetMenuItemCount(whenItEnds), 5);
    EXPECT_TRUE(MenuChecked(whenItEnds, 2));
    EXPECT_FALSE(MenuChecked(whenItEnds, 0));
    EXPECT_FALSE(::GetMenuState(whenItEnds, 3, MF_BYPOSITION) & MF_GRAYED);
    menu.SetEndActionChoice(EndAction::Lock, false, true);
    whenItEnds = ::GetSubMenu(::GetSubMenu(menu.Handle(), 2), 17);
    ASSERT_EQ(::GetMenuItemCount(whenItEnds), 6);
    EXPECT_TRUE(::GetMenuState(::GetSubMenu(menu.Handle(), 2), 17, MF_BYPOSITION) & MF_GRAYED);
}

TEST(TrayMenu, StatusAndCaptionReachTheMenuHandle) {
    TMainTrayMenu menu;
    HMENU handle = menu.Handle();
    menu.SetStatus(true, L"&Staywick is active (30 minutes)");
    EXPECT_TRUE(MenuChecked(handle, 0));
    EXPECT_EQ(MenuText(handle, 0), L"&Staywick is active (30 minutes)");
    EXPECT_EQ(::GetMenuDefaultItem(handle, TRUE, 0), 0u); // still bold
    menu.SetStatus(false, L"&Staywick is disabled");
    EXPECT_FALSE(MenuChecked(handle, 0));
    EXPECT_EQ(MenuText(handle, 0), L"&Staywick is disabled");
}

// A policy hides "&Donate" and its separator, and shows them again; the
// items after them keep working (positions in the built menu follow).
TEST(TrayMenu, DonateItemAndItsSeparatorHideAndComeBack) {
    TMainTrayMenu menu;
    ASSERT_EQ(::GetMenuItemCount(menu.Handle()), 11);
    menu.MnuKeepDisplayOn().SetChecked(false);
    menu.SetDonateVisible(false);
    HMENU hidden = menu.Handle();
    ASSERT_EQ(::GetMenuItemCount(hidden), 9);
    EXPECT_EQ(MenuText(hidden, 3), L"&Options...");
    EXPECT_EQ(MenuText(hidden, 4), L"&About...");
    EXPECT_TRUE(MenuType(hidden, 5) & MFT_SEPARATOR);
    EXPECT_EQ(MenuText(hidden, 6), L"E&xit");
    EXPECT_EQ(MenuText(hidden, 8), L"&Keep the display on");
    EXPECT_FALSE(MenuChecked(hidden, 8)) << "its check survives the rebuild";
    // Changes after the rebuild reach the right positions.
    menu.SetStatus(true, L"&Staywick is active");
    EXPECT_EQ(MenuText(hidden, 0), L"&Staywick is active");
    std::vector<std::wstring> ran;
    menu.Handlers.MnuAboutClick = [&] { ran.push_back(L"about"); };
    menu.FindCommand(::GetMenuItemID(hidden, 4))->Click();
    EXPECT_EQ(ran, std::vector<std::wstring>{L"about"});

    menu.SetDonateVisible(true);
    HMENU shown = menu.Handle();
    ASSERT_EQ(::GetMenuItemCount(shown), 11);
    EXPECT_TRUE(MenuType(shown, 4) & MFT_SEPARATOR);
    EXPECT_EQ(MenuText(shown, 5), L"&Donate");
    EXPECT_TRUE(MenuChecked(shown, 0)) << "the status survives the rebuild";
}

TEST(TrayMenu, ActivateForItemsCanBeGreyedOut) {
    TMainTrayMenu menu;
    HMENU sub = ::GetSubMenu(menu.Handle(), 2);
    ASSERT_NE(sub, nullptr);
    const std::size_t twelveHours = 12; // the last "Activate for" position
    menu.ActivateForItem(twelveHours).SetEnabled(false);
    EXPECT_TRUE(::GetMenuState(sub, static_cast<UINT>(twelveHours), MF_BYPOSITION) & MF_DISABLED);
    EXPECT_FALSE(::GetMenuState(sub, 0, MF_BYPOSITION) & MF_DISABLED);
    menu.SetActivateForChecked(twelveHours, true); // a check mark keeps it greyed
    EXPECT_TRUE(::GetMenuState(sub, static_cast<UINT>(twelveHours), MF_BYPOSITION) & MF_DISABLED);
    menu.ActivateForItem(twelveHours).SetEnabled(true);
    EXPECT_FALSE(::GetMenuState(sub, static_cast<UINT>(twelveHours), MF_BYPOSITION) & MF_DISABLED);
}

// The command of a chosen item is posted: it runs when the loop gets to it.
void DispatchWaitingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

// Keys typed into the open tray menu, in both looks. In the dark look the
// program resolves access keys itself: "&Activate for" and "&About..." share
// A, so each A moves the highlight to the next of them and Return chooses;
// a key of one item chooses it at once. The standard look leaves keys to the
// system; only keys of one item are tried there, as systems differ on shared ones.
struct TypedKeysCase {
    const char* name;
    bool dark;
    const char* keys;                  // letters, and '\r' for Return
    const wchar_t* chosen;             // the handler that ran; nullptr: none
    int highlightedAfterFirstKey = -2; // -2: not checked
};

class TypedKeys : public ::testing::TestWithParam<TypedKeysCase> {
protected:
    void TearDown() override { VisualStyle::Select(StyleKind::Standard); }
};

TEST_P(TypedKeys, ChooseTheItemAStandardMenuWould) {
    const TypedKeysCase& c = GetParam();
    VisualStyle::Select(c.dark ? StyleKind::Dark : StyleKind::Standard);
    if (c.dark && !VisualStyle::IsDark())
        GTEST_SKIP() << "high contrast: no dark look";
    TMainTrayMenu menu;
    std::vector<std::wstring> ran;
    menu.Handlers.MnuActiveClick = [&] { ran.push_back(L"active"); };
    menu.Handlers.Indefinitely1Click = [&](std::size_t) { ran.push_back(L"duration"); };
    menu.Handlers.SetMaximumsystemidletime1Click = [&] { ran.push_back(L"options"); };
    menu.Handlers.MnuDonateClick = [&] { ran.push_back(L"donate"); };
    menu.Handlers.MnuAboutClick = [&] { ran.push_back(L"about"); };
    menu.Handlers.MnuQuitClick = [&] { ran.push_back(L"quit"); };
    const std::string keys = c.keys;
    std::size_t typed = 0;
    int highlightedAfterFirst = -2, openMenusAfterFirst = 0;
    int quietTicks = 0;
    test::MenuDriver driver([&](int, HWND open) {
        if (!open)
            return typed == 0; // wait for the menu; once typed, a closed menu ends it
        if (typed == 1 && highlightedAfterFirst == -2) {
            highlightedAfterFirst = -1;
            // The built menu's items: a hidden one takes no place in it.
            const int built = ::GetMenuItemCount(menu.Handle());
            for (int i = 0; i < built; ++i) {
                if (::GetMenuState(menu.Handle(), static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
                    highlightedAfterFirst = i;
            }
            openMenusAfterFirst = 0;
            ::EnumThreadWindows(
                ::GetCurrentThreadId(),
                [](HWND wnd, LPARAM count) -> BOOL {
                    wchar_t cls[16] = {};
                    ::GetClassNameW(wnd, cls, 16);
                    if (::lstrcmpW(cls, L"#32768") == 0 && ::IsWindowVisible(wnd))
                        ++*reinterpret_cast<int*>(count);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&openMenusAfterFirst));
        }
        if (typed < keys.size()) {
            const char key = keys[typed++];
            if (key == '\r')
                ::PostMessageW(open, WM_KEYDOWN, VK_RETURN, 0);
            else
                ::PostMessageW(open, WM_CHAR, static_cast<WPARAM>(key), 0);
            return true;
        }
        return ++quietTicks < 3; // the menu stays open: nothing was chosen
    });
    ::SetForegroundWindow(TRCPopupList::Instance().Window());
    menu.Popup(100, 100);
    DispatchWaitingMessages();
    EXPECT_TRUE(driver.SawMenu());
    EXPECT_EQ(menu.DarkLook(), c.dark);
    EXPECT_EQ(typed, keys.size());
    if (c.chosen)
        EXPECT_EQ(ran, std::vector<std::wstring>{c.chosen});
    else
        EXPECT_TRUE(ran.empty());
    if (c.highlightedAfterFirstKey != -2) {
        EXPECT_EQ(highlightedAfterFirst, c.highlightedAfterFirstKey);
        EXPECT_EQ(openMenusAfterFirst, 1) << "a shared key opens no submenu";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedKeys,
    ::testing::Values(
        TypedKeysCase{.name = "DarkSharedKeyTwiceThenReturnIsAbout",
                      .dark = true,
                      .keys = "aa\r",
                      .chosen = L"about",
                      .highlightedAfterFirstKey = 2},
        TypedKeysCase{
            .name = "DarkSharedKeyWrapsRound", .dark = true, .keys = "aaaa\r", .chosen = L"about"},
        TypedKeysCase{.name = "DarkSharedKeyAloneChoosesNothing",
                      .dark = true,
                      .keys = "aa",
                      .chosen = nullptr},
        TypedKeysCase{.name = "DarkOwnKeyChooses", .dark = true, .keys = "x", .chosen = L"quit"},
        TypedKeysCase{
            .name = "DarkOwnKeyAfterSharedOne", .dark = true, .keys = "ad", .chosen = L"donate"},
        TypedKeysCase{.name = "StandardExit", .dark = false, .keys = "x", .chosen = L"quit"},
        TypedKeysCase{.name = "StandardOptions", .dark = false, .keys = "o", .chosen = L"options"},
        TypedKeysCase{.name = "StandardDonate", .dark = false, .keys = "d", .chosen = L"donate"},
        TypedKeysCase{.name = "StandardStatus", .dark = false, .keys = "s", .chosen = L"active"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick
