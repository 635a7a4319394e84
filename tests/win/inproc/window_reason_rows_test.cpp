// The Automatic dialog's rows for a program in front and a window title:
// shown from the record, a pick from the running programs joining the typed
// list, a folder refused on OK, and both greyed by the policy.
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "win/common/process_helpers.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace staywick::test {
namespace {

using Names = std::vector<std::wstring>;

class WindowReasonRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseStaywickResources();
        record_.WhileForeground = {L"vlc.exe"};
        record_.WhileWindowTitle = {L"*notepad*", L"Zoom ?"};
    }
    static std::wstring Text(HWND dlg, int id) { return TextOf(::GetDlgItem(dlg, id)); }
    Application app_{L"Staywick"};
    AutomaticOptions record_{};
};

TEST_F(WindowReasonRowsTest, ShowsPicksAndStoresTheLists) {
    TFrmAutomatic form(nullptr, record_, [] {
        return std::vector<RunningProcess>{{1, L"notepad.exe"}, {2, L"VLC.EXE"}};
    });
    HWND dlg = form.Handle();
    EXPECT_EQ(Text(dlg, IDC_AUTO_FRONTNAMES), L"vlc.exe");
    EXPECT_EQ(Text(dlg, IDC_AUTO_TITLES), L"*notepad*;Zoom ?");

    HWND combo = ::GetDlgItem(dlg, IDC_AUTO_FRONTNAMES);
    // The list drops down, an entry is chosen as it closes.
    const auto pick = [&](int index) {
        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageW(combo, CB_SETCURSEL, index, 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_AUTO_FRONTNAMES, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(combo));
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        // One round of the loop handles what the pick posted.
        bool handled = false;
        PumpUntil(1000, [&] { return std::exchange(handled, true); });
    };
    pick(0); // notepad.exe, the first offered
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(Text(dlg, IDC_AUTO_FRONTNAMES), L"vlc.exe; notepad.exe");
    pick(1); // VLC.EXE: listed already, not added twice
    EXPECT_EQ(Text(dlg, IDC_AUTO_FRONTNAMES), L"vlc.exe; notepad.exe");

    ::SetDlgItemTextW(dlg, IDC_AUTO_TITLES, L" *.pdf - Reader ;; *notepad*");
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.WhileForeground, (Names{L"vlc.exe", L"notepad.exe"}));
    EXPECT_EQ(record_.WhileWindowTitle, (Names{L"*.pdf - Reader", L"*notepad*"}));
}

TEST_F(WindowReasonRowsTest, AFolderInTheListIsRefusedOnOk) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    ::SetDlgItemTextW(dlg, IDC_AUTO_FRONTNAMES, L"vlc.exe; C:\\Tools\\mpv.exe");
    std::optional<SeenMessageBox> seen;
    RunSoon([&] {
        seen = WaitForMessageBox(L"Staywick", 3000);
        if (seen)
            ::PostMessageW(seen->box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_FALSE(form.BtnOkClick());
    ASSERT_TRUE(seen.has_value());
    EXPECT_NE(seen->text.find(L"file name only"), std::wstring::npos);
    EXPECT_EQ(record_.WhileForeground, (Names{L"vlc.exe"})) << "the record unchanged";
    EXPECT_EQ(Text(dlg, IDC_AUTO_FRONTNAMES), L"vlc.exe; C:\\Tools\\mpv.exe") << "kept to correct";
}

TEST_F(WindowReasonRowsTest, GreyedAndKeptUnderThePolicy) {
    TFrmAutomatic form(nullptr, record_, {}, false);
    HWND dlg = form.Handle();
    for (int id : {IDC_AUTO_FRONTNAMES, IDC_AUTO_TITLES})
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, id))) << id;
    ::SetDlgItemTextW(dlg, IDC_AUTO_TITLES, L"*other*");
    ASSERT_TRUE(form.BtnOkClick());
    EXPECT_EQ(record_.WhileWindowTitle, (Names{L"*notepad*", L"Zoom ?"}));
}

} // namespace
} // namespace staywick::test
