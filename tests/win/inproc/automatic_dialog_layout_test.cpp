// The Automatic dialog's keyboard and layout: its tab order, an access key
// for every stop and none twice, and every text inside its control, with no
// two controls overlapping, at 96 and 144 dpi.
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "ui/window_utils.h"
#include "win/inproc/dialog_layout_checks.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

class AutomaticDialogLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseStaywickResources();
        record_.WhilePrograms = {L"obs64.exe", L"Zoom.exe"};
        record_.Pauses.PauseBelowBattery = 15; // its field takes part
        record_.WhileForeground = {L"obs64.exe", L"vlc.exe"};
        record_.WhileWindowTitle = {L"*notepad*"};
    }
    static HWND Item(HWND dlg, int id) { return ::GetDlgItem(dlg, id); }
    static void SelectListed(HWND dlg, int index) {
        ::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, LB_SETCURSEL, index, 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_AUTO_PROGRAMLIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(dlg, IDC_AUTO_PROGRAMLIST)));
    }

    void NoTextIsCut(bool allow, bool lidOverruled);

    Application app_{L"Staywick"};
    AutomaticOptions record_{};
};

TEST_F(AutomaticDialogLayoutTest, TabOrderAndAnAccessKeyForEveryStopUniqueInTheDialog) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    SelectListed(dlg, 0); // Remove takes part once a name is selected
    const int order[] = {IDC_AUTO_PROGRAMLIST,
                         IDC_AUTO_REMOVE,
                         IDC_AUTO_NAME,
                         IDC_AUTO_ADD,
                         IDC_AUTO_MONDAY,
                         IDC_AUTO_MONDAY + 1,
                         IDC_AUTO_MONDAY + 2,
                         IDC_AUTO_MONDAY + 3,
                         IDC_AUTO_MONDAY + 4,
                         IDC_AUTO_MONDAY + 5,
                         IDC_AUTO_SUNDAY,
                         IDC_AUTO_FROMHOUR,
                         IDC_AUTO_FROMMINUTE,
                         IDC_AUTO_TOHOUR,
                         IDC_AUTO_TOMINUTE,
                         IDC_AUTO_ONBATTERY,
                         IDC_AUTO_BELOWBATTERY,
                         IDC_AUTO_PERCENT,
                         IDC_AUTO_LIDCLOSED,
                         IDC_AUTO_DISPLAYOFF,
                         IDC_AUTO_FRONTNAMES,
                         IDC_AUTO_TITLES,
                         IDOK,
                         IDCANCEL,
                         IDC_AUTO_PROGRAMLIST};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(::GetNextDlgTabItem(dlg, Item(dlg, order[i]), FALSE), Item(dlg, order[i + 1]))
            << "after control " << order[i];
    }
    // The minute fields follow their hour fields, reached by Tab from them.
    std::map<wchar_t, int> owners;
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        const int id = order[i];
        if (id == IDC_AUTO_FROMMINUTE || id == IDC_AUTO_TOMINUTE)
            continue;
        const wchar_t key = KeyOf(Item(dlg, id));
        EXPECT_NE(key, 0) << "control " << id << " has no access key";
        if (key == 0)
            continue;
        const auto [at, fresh] = owners.emplace(key, id);
        EXPECT_TRUE(fresh) << "controls " << at->second << " and " << id << " share the key "
                           << static_cast<char>(key);
    }
    EXPECT_EQ(::GetDlgCtrlID(::GetNextDlgTabItem(dlg, Item(dlg, IDC_AUTO_PROGRAMLIST), TRUE)),
              IDCANCEL);
    // The group labels that name a list or field come right before it.
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_PROGRAMSHEADING), GW_HWNDNEXT),
              Item(dlg, IDC_AUTO_PROGRAMLIST));
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_PERCENTLABEL), GW_HWNDNEXT),
              Item(dlg, IDC_AUTO_PERCENT));
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_FRONTLABEL), GW_HWNDNEXT),
              Item(dlg, IDC_AUTO_FRONTNAMES));
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_TITLELABEL), GW_HWNDNEXT), Item(dlg, IDC_AUTO_TITLES));
}

TEST_F(AutomaticDialogLayoutTest, NoTextIsCutAt96And144Dpi) {
    for (const bool allow : {true, false}) {
        for (const bool lidOverruled : {false, true}) {
            NoTextIsCut(allow, lidOverruled);
        }
    }
}

void AutomaticDialogLayoutTest::NoTextIsCut(bool allow, bool lidOverruled) {
    SCOPED_TRACE(testing::Message() << "allow " << allow << ", lid " << lidOverruled);
    TFrmAutomatic form(nullptr, record_, {}, allow, lidOverruled);
    HWND dlg = form.Handle();
    for (const UINT dpi : {96u, 144u}) {
        RECT suggested{};
        ::GetWindowRect(dlg, &suggested);
        ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        RECT client{};
        ::GetClientRect(dlg, &client);
        EXPECT_EQ(client.right, ::MulDiv(456, static_cast<int>(dpi), 120));
        // 638, 28 more for the policy's note and 30 for the lid's line.
        const int height = 638 + (allow ? 0 : 28) + (lidOverruled ? 30 : 0);
        EXPECT_EQ(client.bottom, ::MulDiv(height, static_cast<int>(dpi), 120));
        EXPECT_EQ(FontOf(Item(dlg, IDOK)).lfHeight, -::MulDiv(15, static_cast<int>(dpi), 120));
        ExpectTextsFit(dlg, dpi);
    }
}

} // namespace
} // namespace staywick::test
