// The Automatic dialog against a test record: what it shows, the program
// list (typed, picked from the running programs, refused, removed), what OK
// and Cancel leave in the record, and the policy that greys the automatic
// reasons. Its keyboard and layout: automatic_dialog_layout_test.cpp.
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "win/common/process_helpers.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

using Names = std::vector<std::wstring>;

AutomaticOptions SampleRecord() {
    AutomaticOptions o;
    o.WhilePrograms = {L"obs64.exe", L"Zoom.exe"};
    o.ScheduleDays = 1 | 4 | 64; // Monday, Wednesday, Sunday
    o.ScheduleFrom = 22 * 60 + 30;
    o.ScheduleTo = 6 * 60 + 5;
    o.Pauses.PauseOnBattery = true;
    o.Pauses.PauseBelowBattery = 15;
    o.Pauses.PauseOnLidClosed = false;
    o.Pauses.DisplayOffWhenLocked = true;
    return o;
}

class AutomaticDialogTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }

    static HWND Item(HWND dlg, int id) { return ::GetDlgItem(dlg, id); }
    static bool Checked(HWND dlg, int id) { return ::IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
    static void Check(HWND dlg, int id, bool on) {
        ::CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(dlg, id)));
    }
    static Names Listed(HWND dlg) {
        Names names;
        HWND list = Item(dlg, IDC_AUTO_PROGRAMLIST);
        const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[300] = {};
            ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(text));
            names.emplace_back(text);
        }
        return names;
    }
    static void Click(HWND dlg, int id) {
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(dlg, id)));
    }
    static void Type(HWND dlg, const wchar_t* name) { ::SetDlgItemTextW(dlg, IDC_AUTO_NAME, name); }
    static void SelectListed(HWND dlg, int index) {
        ::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, LB_SETCURSEL, index, 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_AUTO_PROGRAMLIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(dlg, IDC_AUTO_PROGRAMLIST)));
    }
    static std::wstring Text(HWND dlg, int id) { return TextOf(Item(dlg, id)); }

    Application app_{L"Staywick"};
    AutomaticOptions record_ = SampleRecord();
};

TEST_F(AutomaticDialogTest, ShowsTheRecord) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    EXPECT_EQ(TextOf(dlg), L"Automatic");
    const auto style = ::GetWindowLongPtrW(dlg, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "fixed dialog frame";
    EXPECT_EQ(Listed(dlg), (Names{L"obs64.exe", L"Zoom.exe"}));
    const bool days[] = {true, false, true, false, false, false, true};
    const wchar_t* const names[] = {L"&Mon", L"&Tue", L"W&ed", L"T&hu", L"&Fri", L"&Sat", L"Su&n"};
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(Checked(dlg, IDC_AUTO_MONDAY + day), days[day]) << day;
        EXPECT_EQ(Text(dlg, IDC_AUTO_MONDAY + day), names[day]);
    }
    EXPECT_EQ(Text(dlg, IDC_AUTO_FROMHOUR), L"22");
    EXPECT_EQ(Text(dlg, IDC_AUTO_FROMMINUTE), L"30");
    EXPECT_EQ(Text(dlg, IDC_AUTO_TOHOUR), L"6");
    EXPECT_EQ(Text(dlg, IDC_AUTO_TOMINUTE), L"5");
    EXPECT_TRUE(Checked(dlg, IDC_AUTO_ONBATTERY));
    EXPECT_TRUE(Checked(dlg, IDC_AUTO_BELOWBATTERY));
    EXPECT_EQ(Text(dlg, IDC_AUTO_PERCENT), L"15");
    EXPECT_FALSE(Checked(dlg, IDC_AUTO_LIDCLOSED));
    EXPECT_TRUE(Checked(dlg, IDC_AUTO_DISPLAYOFF));
    EXPECT_FALSE(::IsWindowEnabled(Item(dlg, IDC_AUTO_REMOVE))) << "nothing selected yet";
    EXPECT_FALSE(::IsWindowVisible(Item(dlg, IDC_AUTO_POLICYNOTE)));

    // Without a level the choice is off, its field greyed with 20 in it.
    record_.Pauses.PauseBelowBattery = 0;
    TFrmAutomatic off(nullptr, record_, {});
    EXPECT_FALSE(Checked(off.Handle(), IDC_AUTO_BELOWBATTERY));
    EXPECT_EQ(Text(off.Handle(), IDC_AUTO_PERCENT), L"20");
    EXPECT_FALSE(::IsWindowEnabled(Item(off.Handle(), IDC_AUTO_PERCENT)));
    Check(off.Handle(), IDC_AUTO_BELOWBATTERY, true);
    EXPECT_TRUE(::IsWindowEnabled(Item(off.Handle(), IDC_AUTO_PERCENT)));
}

TEST_F(AutomaticDialogTest, OkStoresEveryControlAndTheRecordIsUntouchedBefore) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    Type(dlg, L"vlc");
    Click(dlg, IDC_AUTO_ADD);
    SelectListed(dlg, 0);
    Click(dlg, IDC_AUTO_REMOVE);
    for (int day = 0; day < 7; ++day)
        Check(dlg, IDC_AUTO_MONDAY + day, day == 1 || day == 5);
    ::SetDlgItemTextW(dlg, IDC_AUTO_FROMHOUR, L"7");
    ::SetDlgItemTextW(dlg, IDC_AUTO_FROMMINUTE, L"45");
    ::SetDlgItemTextW(dlg, IDC_AUTO_TOHOUR, L"99"); // typed past the range: 23
    ::SetDlgItemTextW(dlg, IDC_AUTO_TOMINUTE, L""); // emptied: 0
    Check(dlg, IDC_AUTO_ONBATTERY, false);
    ::SetDlgItemTextW(dlg, IDC_AUTO_PERCENT, L"250");
    Check(dlg, IDC_AUTO_LIDCLOSED, true);
    Check(dlg, IDC_AUTO_DISPLAYOFF, false);
    EXPECT_EQ(record_, SampleRecord()) << "nothing changes before OK";

    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.WhilePrograms, (Names{L"Zoom.exe", L"vlc.exe"}));
    EXPECT_EQ(record_.ScheduleDays, 2 | 32);
    EXPECT_EQ(record_.ScheduleFrom, 7 * 60 + 45);
    EXPECT_EQ(record_.ScheduleTo, 23 * 60);
    EXPECT_FALSE(record_.Pauses.PauseOnBattery);
    EXPECT_EQ(record_.Pauses.PauseBelowBattery, 100);
    EXPECT_TRUE(record_.Pauses.PauseOnLidClosed);
    EXPECT_FALSE(record_.Pauses.DisplayOffWhenLocked);

    // Switching the level off stores none, whatever the field holds.
    Check(dlg, IDC_AUTO_BELOWBATTERY, false);
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.Pauses.PauseBelowBattery, 0);
}

TEST_F(AutomaticDialogTest, NumberFieldsTakeTheNearerBoundWhenLeft) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    struct Row {
        int id;
        const wchar_t *typed, *shown;
    };
    for (const Row& row :
         {Row{IDC_AUTO_FROMHOUR, L"24", L"23"}, Row{IDC_AUTO_FROMMINUTE, L"60", L"59"},
          Row{IDC_AUTO_TOHOUR, L"", L"0"}, Row{IDC_AUTO_PERCENT, L"0", L"1"},
          Row{IDC_AUTO_PERCENT, L"101", L"100"}}) {
        ::SetDlgItemTextW(dlg, row.id, row.typed);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(row.id, EN_KILLFOCUS),
                       reinterpret_cast<LPARAM>(Item(dlg, row.id)));
        EXPECT_EQ(Text(dlg, row.id), row.shown) << row.id << " typed " << row.typed;
    }
}

TEST_F(AutomaticDialogTest, TypedNamesJoinOnceAndAPathOrWildcardIsRefused) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    Type(dlg, L"  notepad ");
    Click(dlg, IDC_AUTO_ADD);
    EXPECT_EQ(Listed(dlg), (Names{L"obs64.exe", L"Zoom.exe", L"notepad.exe"}));
    EXPECT_EQ(Text(dlg, IDC_AUTO_NAME), L"") << "the field is emptied for the next name";
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(::IsWindowEnabled(Item(dlg, IDC_AUTO_REMOVE)));

    // Listed already: selected, not repeated.
    Type(dlg, L"ZOOM.EXE");
    Click(dlg, IDC_AUTO_ADD);
    EXPECT_EQ(Listed(dlg).size(), 3u);
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, LB_GETCURSEL, 0, 0), 1);

    for (const wchar_t* refused : {L"C:\\Tools\\vlc.exe", L"*.exe"}) {
        std::optional<SeenMessageBox> seen;
        RunSoon([&] {
            seen = WaitForMessageBox(L"Staywick", 3000);
            if (seen)
                ::PostMessageW(seen->box, WM_COMMAND, IDOK, 0);
        });
        Type(dlg, refused);
        Click(dlg, IDC_AUTO_ADD);
        ASSERT_TRUE(seen.has_value())
            << "no message for " << ::testing::PrintToString(std::wstring(refused));
        EXPECT_NE(seen->text.find(L"file name only"), std::wstring::npos);
        EXPECT_EQ(Listed(dlg).size(), 3u);
        EXPECT_EQ(Text(dlg, IDC_AUTO_NAME), refused) << "kept for correcting";
        // OK with the refused name still typed: told again, the record unchanged.
        RunSoon([&] {
            seen = WaitForMessageBox(L"Staywick", 3000);
            if (seen)
                ::PostMessageW(seen->box, WM_COMMAND, IDOK, 0);
        });
        seen.reset();
        EXPECT_FALSE(form.BtnOkClick());
        EXPECT_TRUE(seen.has_value());
        EXPECT_EQ(record_, SampleRecord());
    }

    // Enter in the field adds the name and leaves the dialog open.
    ::ShowWindow(dlg, SW_SHOW);
    ::SetFocus(Item(dlg, IDC_AUTO_NAME));
    Type(dlg, L"mpc-hc64.exe");
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(dlg, IDOK)));
    EXPECT_EQ(Listed(dlg).back(), L"mpc-hc64.exe");
    EXPECT_EQ(record_, SampleRecord()) << "not confirmed";
    SelectListed(dlg, 3);
    Click(dlg, IDC_AUTO_REMOVE);

    // A name typed but not added joins the list on OK.
    Type(dlg, L"vlc.exe");
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.WhilePrograms,
              (Names{L"obs64.exe", L"Zoom.exe", L"notepad.exe", L"vlc.exe"}));

    // Del in the list removes the selected name too.
    SelectListed(dlg, 3);
    ::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Listed(dlg), (Names{L"obs64.exe", L"Zoom.exe", L"notepad.exe"}));

    // Removing the last names leaves the list empty and Remove greyed.
    for (int i = 0; i < 3; ++i) {
        SelectListed(dlg, 0);
        Click(dlg, IDC_AUTO_REMOVE);
    }
    EXPECT_TRUE(Listed(dlg).empty());
    EXPECT_FALSE(::IsWindowEnabled(Item(dlg, IDC_AUTO_REMOVE)));
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_TRUE(record_.WhilePrograms.empty());
}

TEST_F(AutomaticDialogTest, TheDropDownOffersTheRunningProgramsSortedOnceEach) {
    int snapshots = 0;
    TFrmAutomatic form(nullptr, record_, [&] {
        ++snapshots;
        return std::vector<RunningProcess>{
            {1, L"svchost.exe"}, {2, L"Explorer.EXE"}, {3, L"SVCHOST.exe"}, {4, L"audiodg.exe"}};
    });
    HWND dlg = form.Handle();
    HWND combo = Item(dlg, IDC_AUTO_NAME);
    EXPECT_EQ(snapshots, 0) << "no snapshot before the list is opened";
    Type(dlg, L"half-typed");
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(snapshots, 1);
    Names offered;
    for (LRESULT i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t text[300] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        offered.emplace_back(text);
    }
    EXPECT_EQ(offered, (Names{L"audiodg.exe", L"Explorer.EXE", L"svchost.exe"}));
    EXPECT_EQ(Text(dlg, IDC_AUTO_NAME), L"half-typed");

    // Picking one and adding it.
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
    Click(dlg, IDC_AUTO_ADD);
    EXPECT_EQ(Listed(dlg).back(), L"Explorer.EXE");
}

TEST_F(AutomaticDialogTest, WithoutAutomaticByPolicyProgramsAndScheduleAreGreyedPausesStayOpen) {
    TFrmAutomatic form(nullptr, record_, {}, false);
    HWND dlg = form.Handle();
    for (int id : {IDC_AUTO_PROGRAMLIST, IDC_AUTO_NAME, IDC_AUTO_ADD, IDC_AUTO_REMOVE,
                   IDC_AUTO_MONDAY, IDC_AUTO_SUNDAY, IDC_AUTO_FROMHOUR, IDC_AUTO_FROMMINUTEUPDOWN,
                   IDC_AUTO_TOHOUR, IDC_AUTO_TOMINUTE}) {
        EXPECT_FALSE(::IsWindowEnabled(Item(dlg, id))) << id;
    }
    for (int id : {IDC_AUTO_ONBATTERY, IDC_AUTO_BELOWBATTERY, IDC_AUTO_PERCENT, IDC_AUTO_LIDCLOSED,
                   IDC_AUTO_DISPLAYOFF, IDOK, IDCANCEL}) {
        EXPECT_TRUE(::IsWindowEnabled(Item(dlg, id))) << id;
    }
    HWND note = Item(dlg, IDC_AUTO_POLICYNOTE);
    EXPECT_TRUE(::IsWindowVisible(note) || (::GetWindowLongPtrW(note, GWL_STYLE) & WS_VISIBLE));
    EXPECT_EQ(TextOf(note), L"Your organization has turned off programs and the schedule.");
    EXPECT_GE(ChildRect(Item(dlg, IDOK)).top, ChildRect(note).bottom)
        << "the buttons move below it";
    RECT client{};
    ::GetClientRect(dlg, &client);
    EXPECT_LE(ChildRect(Item(dlg, IDOK)).bottom, client.bottom);

    // OK keeps the record's programs and schedule, and takes the pauses.
    Type(dlg, L"vlc.exe");
    Check(dlg, IDC_AUTO_ONBATTERY, false);
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.WhilePrograms, SampleRecord().WhilePrograms);
    EXPECT_EQ(record_.ScheduleDays, SampleRecord().ScheduleDays);
    EXPECT_FALSE(record_.Pauses.PauseOnBattery);
}

// Staying awake with the lid closed "Always" (chosen in Options) wins over
// the lid pause: its box shows the user's own choice greyed, a line below
// the buttons says why, and OK keeps that choice; otherwise no line.
TEST_F(AutomaticDialogTest, TheLidPauseIsGreyedWithALineWhileAlwaysWins) {
    for (const bool overruled : {false, true}) {
        SCOPED_TRACE(overruled ? "overruled" : "open");
        record_.Pauses.PauseOnLidClosed = true;
        TFrmAutomatic form(nullptr, record_, {}, true, overruled);
        HWND dlg = form.Handle();
        HWND line = Item(dlg, IDC_AUTO_LIDNOTE);
        EXPECT_TRUE(Checked(dlg, IDC_AUTO_LIDCLOSED));
        EXPECT_EQ(::IsWindowEnabled(Item(dlg, IDC_AUTO_LIDCLOSED)) != FALSE, !overruled);
        EXPECT_EQ((::GetWindowLongPtrW(line, GWL_STYLE) & WS_VISIBLE) != 0, overruled);
        EXPECT_EQ(TextOf(line),
                  L"Staying awake with the lid closed (under Options) wins over the lid pause.");
        RECT client{};
        ::GetClientRect(dlg, &client);
        if (overruled) {
            EXPECT_GE(ChildRect(line).top, ChildRect(Item(dlg, IDOK)).bottom);
            EXPECT_LE(ChildRect(line).bottom, client.bottom);
        } else {
            EXPECT_EQ(client.bottom, ChildRect(Item(dlg, IDOK)).bottom +
                                         ::MulDiv(10, static_cast<int>(WindowDpi(dlg)), 120));
        }
        Check(dlg, IDC_AUTO_LIDCLOSED, false); // a click that should not come through
        ::EnableWindow(Item(dlg, IDC_AUTO_LIDCLOSED), TRUE);
        ASSERT_TRUE(form.BtnOkClick());
        EXPECT_EQ(record_.Pauses.PauseOnLidClosed, overruled) << "the user's own value stays";
    }
}

} // namespace
} // namespace staywick::test
