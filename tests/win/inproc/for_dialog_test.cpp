// "For...": the length shown in hours and minutes, placed near the taskbar,
// OK returning the length in 1 minute to 24 hours, Cancel nothing; its
// keyboard and layout at 96 and 144 dpi.
#include "resources/resource.h"
#include "tray/win32/for_dialog.h"
#include "win/inproc/dialog_layout_checks.h"
#include "win/inproc/windows_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace staywick::test {
namespace {

class ForDialogTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }
    Application app_{L"Staywick"};
};

TEST_F(ForDialogTest, ShowsTheLengthNearTheTaskbarAndReturnsTheChoice) {
    RECT placed{};
    std::wstring hour, minute, caption;
    bool okIsDefault = false;
    RunSoon([&] {
        ASSERT_NE(FrmFor, nullptr);
        HWND dlg = FrmFor->Handle();
        ::GetWindowRect(dlg, &placed);
        caption = TextOf(dlg);
        hour = TextOf(::GetDlgItem(dlg, IDC_FOR_HOUR));
        minute = TextOf(::GetDlgItem(dlg, IDC_FOR_MINUTE));
        okIsDefault = ::GetWindowLongPtrW(::GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON;
        ::SetDlgItemTextW(dlg, IDC_FOR_HOUR, L"2");
        ::SetDlgItemTextW(dlg, IDC_FOR_MINUTE, L"15");
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    const auto chosen = ChooseForLength(app_, nullptr, 90);
    EXPECT_EQ(FrmFor, nullptr);
    EXPECT_EQ(caption, L"For");
    EXPECT_EQ(hour, L"1");
    EXPECT_EQ(minute, L"30");
    EXPECT_TRUE(okIsDefault) << "Enter chooses";
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, 135);
    const RECT work = WorkArea();
    EXPECT_EQ(placed.right, work.right - 20);
    EXPECT_EQ(placed.bottom, work.bottom - 20);

    // Esc, as the dialog manager turns it into IDCANCEL: nothing chosen.
    RunSoon([&] { ::PostMessageW(FrmFor->Handle(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(ChooseForLength(app_, nullptr, 90).has_value());
}

TEST_F(ForDialogTest, TheLengthStaysFromOneMinuteToADay) {
    struct Row {
        const wchar_t* hours;
        const wchar_t* minutes;
        std::int32_t length;
    };
    const Row rows[] = {
        {L"0", L"0", 1},    {L"0", L"1", 1},  {L"24", L"0", 1440}, {L"24", L"59", 1440},
        {L"99", L"", 1440}, {L"", L"45", 45}, {L"1", L"5", 65},    {L"0", L"99", 59},
    };
    TFrmFor form(nullptr, 60);
    for (const Row& row : rows) {
        ::SetDlgItemTextW(form.Handle(), IDC_FOR_HOUR, row.hours);
        ::SetDlgItemTextW(form.Handle(), IDC_FOR_MINUTE, row.minutes);
        EXPECT_EQ(form.Minutes(), row.length) << row.hours << ":" << row.minutes;
    }
    int low = -1, high = -1;
    ::SendDlgItemMessageW(form.Handle(), IDC_FOR_HOURUPDOWN, UDM_GETRANGE32,
                          reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 24);
    ::SendDlgItemMessageW(form.Handle(), IDC_FOR_MINUTEUPDOWN, UDM_GETRANGE32,
                          reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 59);
    // A length beyond the bounds shows bounded.
    TFrmFor longest(nullptr, 5000);
    EXPECT_EQ(TextOf(::GetDlgItem(longest.Handle(), IDC_FOR_HOUR)), L"24");
    EXPECT_EQ(TextOf(::GetDlgItem(longest.Handle(), IDC_FOR_MINUTE)), L"0");
}

TEST_F(ForDialogTest, TabOrderAccessKeysAndNoTextCutAt96And144Dpi) {
    TFrmFor form(nullptr, 45);
    HWND dlg = form.Handle();
    const int order[] = {IDC_FOR_HOUR, IDC_FOR_MINUTE, IDOK, IDCANCEL, IDC_FOR_HOUR};
    std::map<wchar_t, int> owners;
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        HWND control = ::GetDlgItem(dlg, order[i]);
        EXPECT_EQ(::GetNextDlgTabItem(dlg, control, FALSE), ::GetDlgItem(dlg, order[i + 1]))
            << "after control " << order[i];
        const wchar_t key = KeyOf(control);
        EXPECT_NE(key, 0) << "control " << order[i] << " has no access key";
        const auto [at, fresh] = owners.emplace(key, order[i]);
        EXPECT_TRUE(fresh) << "controls " << at->second << " and " << order[i] << " share a key";
    }
    for (const UINT dpi : {96u, 144u}) {
        RECT suggested{};
        ::GetWindowRect(dlg, &suggested);
        ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        RECT client{};
        ::GetClientRect(dlg, &client);
        EXPECT_EQ(client.right, ::MulDiv(345, static_cast<int>(dpi), 120));
        EXPECT_EQ(client.bottom, ::MulDiv(100, static_cast<int>(dpi), 120));
        ExpectTextsFit(dlg, dpi);
    }
}

} // namespace
} // namespace staywick::test
