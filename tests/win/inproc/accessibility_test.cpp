// What a screen reader and the keyboard meet in the dialogs: every field's
// accessible name (one table of dialog, control and name) and the tab order
// of every dialog, walked as Tab walks it (the Automatic dialog's in
// automatic_dialog_layout_test.cpp).
#include "license/win32/license_dialog.h"
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "settings/win32/options_dialog.h"
#include "tray/win32/for_dialog.h"
#include "tray/win32/until_dialog.h"
#include "tray/win32/while_dialog.h"
#include "win/inproc/windows_test_support.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

enum class Dlg { Options, Until, For, While, Automatic, License };

// One open dialog of each kind, not shown; its controls are all made.
class AnyDialog {
public:
    explicit AnyDialog(Dlg which) {
        switch (which) {
        case Dlg::Options: {
            auto form = std::make_unique<TFrmOptions>(nullptr, options_, app_.Handle());
            form->EditAutomatic(automatic_, {}); // with its "&Automatic..." button
            hwnd_ = form->Handle();
            holder_ = std::shared_ptr<void>(std::move(form));
            break;
        }
        case Dlg::Until:
            Hold(std::make_unique<TFrmUntil>(nullptr, 600));
            break;
        case Dlg::For:
            Hold(std::make_unique<TFrmFor>(nullptr, 90));
            break;
        case Dlg::While:
            Hold(std::make_unique<TFrmWhile>(
                nullptr, std::vector<ProgramWindow>{{L"Notes", L"notepad.exe", 42}}));
            break;
        case Dlg::Automatic: {
            automatic_.WhilePrograms = {L"obs64.exe"};
            automatic_.Pauses.PauseBelowBattery = 15; // its field takes part
            Hold(std::make_unique<TFrmAutomatic>(nullptr, automatic_, RunningProcesses{}));
            ::SendDlgItemMessageW(hwnd_, IDC_AUTO_PROGRAMLIST, LB_SETCURSEL, 0, 0);
            ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_AUTO_PROGRAMLIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(::GetDlgItem(hwnd_, IDC_AUTO_PROGRAMLIST)));
            break;
        }
        case Dlg::License:
            Hold(std::make_unique<TFrmLicense>(nullptr));
            break;
        }
    }
    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

private:
    template <typename Form> void Hold(std::unique_ptr<Form> form) {
        hwnd_ = form->Handle();
        holder_ = std::shared_ptr<void>(std::move(form));
    }

    Application app_{L"Staywick"};
    TStaywickOptions options_{};
    AutomaticOptions automatic_{};
    std::shared_ptr<void> holder_;
    HWND hwnd_ = nullptr;
};

// Microsoft's rule, as oleacc applies it: the text of the static right
// before the control in the z-order, its access-key marks dropped.
std::wstring NameByRule(HWND control) {
    HWND previous = ::GetWindow(control, GW_HWNDPREV);
    wchar_t cls[16] = {};
    if (!previous || !::GetClassNameW(previous, cls, 16) || ::lstrcmpiW(cls, L"Static") != 0)
        return {};
    const std::wstring text = TextOf(previous);
    std::wstring name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        name += text[i];
    }
    return name;
}

// The name oleacc gives the control in this process.
std::wstring OleaccName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_IAccessible,
                                            reinterpret_cast<void**>(&accessible))) ||
        !accessible) {
        return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring out;
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name)
        out.assign(name, ::SysStringLen(name));
    ::SysFreeString(name);
    accessible->Release();
    return out;
}

struct NameCase {
    const char* name = "";
    Dlg dialog = Dlg::Options;
    int control = 0;
    const wchar_t* expected = L"";
};

class AccessibleNames : public ::testing::TestWithParam<NameCase> {
protected:
    void SetUp() override {
        UseStaywickResources();
        ::CoInitialize(nullptr);
    }
    void TearDown() override { ::CoUninitialize(); }
};

TEST_P(AccessibleNames, EveryFieldIsNamedByTheLabelBeforeIt) {
    const NameCase& row = GetParam();
    AnyDialog dialog(row.dialog);
    HWND control = dialog.Item(row.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(NameByRule(control), row.expected);
    // Wine's oleacc names edit fields (and the rich-text field) this way too,
    // but gives combo and list boxes and the hotkey field no name, where
    // Windows applies the same rule; there the rule above is the check.
    const std::wstring byOleacc = OleaccName(control);
    if (!byOleacc.empty()) {
        EXPECT_EQ(byOleacc, row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, AccessibleNames,
    ::testing::Values(NameCase{.name = "OptionsKey",
                               .dialog = Dlg::Options,
                               .control = IDC_OPT_COMBOKEY,
                               .expected = L"Key:"},
                      NameCase{.name = "OptionsIdleTimeWithItsUnit",
                               .dialog = Dlg::Options,
                               .control = IDC_OPT_SPINEDIT,
                               .expected = L"Maximum system idle time in minutes:"},
                      NameCase{.name = "OptionsHotkey",
                               .dialog = Dlg::Options,
                               .control = IDC_OPT_HOTKEY,
                               .expected = L"Hotkey:"},
                      NameCase{.name = "UntilHour",
                               .dialog = Dlg::Until,
                               .control = IDC_UNTIL_HOUR,
                               .expected = L"Keep awake until:"},
                      NameCase{.name = "UntilMinute",
                               .dialog = Dlg::Until,
                               .control = IDC_UNTIL_MINUTE,
                               .expected = L"minutes"},
                      NameCase{.name = "ForHours",
                               .dialog = Dlg::For,
                               .control = IDC_FOR_HOUR,
                               .expected = L"Keep awake for:"},
                      NameCase{.name = "ForMinutes",
                               .dialog = Dlg::For,
                               .control = IDC_FOR_MINUTE,
                               .expected = L"minutes"},
                      NameCase{.name = "WhileProgramList",
                               .dialog = Dlg::While,
                               .control = IDC_WHILE_LIST,
                               .expected = L"Keep awake until this program ends:"},
                      NameCase{.name = "AutomaticProgramList",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_PROGRAMLIST,
                               .expected = L"While these programs run:"},
                      NameCase{.name = "AutomaticProgramName",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_NAME,
                               .expected = L"Program:"},
                      NameCase{.name = "AutomaticFromHour",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_FROMHOUR,
                               .expected = L"Daily from"},
                      NameCase{.name = "AutomaticFromMinute",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_FROMMINUTE,
                               .expected = L"minutes"},
                      NameCase{.name = "AutomaticToHour",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_TOHOUR,
                               .expected = L"until"},
                      NameCase{.name = "AutomaticToMinute",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_TOMINUTE,
                               .expected = L"minutes"},
                      NameCase{.name = "AutomaticBatteryLevel",
                               .dialog = Dlg::Automatic,
                               .control = IDC_AUTO_PERCENT,
                               .expected = L"percent"},
                      NameCase{.name = "LicenseText",
                               .dialog = Dlg::License,
                               .control = IDC_LIC_MEMO,
                               .expected = L"License agreement"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TabCase {
    const char* name = "";
    Dlg dialog = Dlg::Options;
    std::vector<int> order; // from the first stop round to it again
};

class TabOrder : public ::testing::TestWithParam<TabCase> {
protected:
    void SetUp() override { UseStaywickResources(); }
};

TEST_P(TabOrder, FollowsTheReadingOrder) {
    const TabCase& row = GetParam();
    AnyDialog dialog(row.dialog);
    std::vector<int> walked{row.order.front()};
    HWND at = dialog.Item(row.order.front());
    for (std::size_t i = 1; i < row.order.size(); ++i) {
        at = ::GetNextDlgTabItem(dialog.Handle(), at, FALSE);
        walked.push_back(::GetDlgCtrlID(at));
    }
    EXPECT_EQ(walked, row.order);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, TabOrder,
    ::testing::Values(
        // "&Automatic..." stands left of OK on the buttons' row; the hotkey
        // row lies below that row.
        TabCase{.name = "Options",
                .dialog = Dlg::Options,
                .order = {IDC_OPT_COMBOKEY, IDC_OPT_SPINEDIT, IDC_OPT_CHECKNOTIFY,
                          IDC_OPT_AUTOMATIC, IDOK, IDCANCEL, IDC_OPT_HOTKEY, IDC_OPT_HOTKEYCLEAR,
                          IDC_OPT_KEEPDISPLAYON, IDC_OPT_LIDCLOSED, IDC_OPT_ENDACTION,
                          IDC_OPT_COMBOKEY}},
        TabCase{.name = "Until",
                .dialog = Dlg::Until,
                .order = {IDC_UNTIL_HOUR, IDC_UNTIL_MINUTE, IDOK, IDCANCEL, IDC_UNTIL_HOUR}},
        TabCase{.name = "For",
                .dialog = Dlg::For,
                .order = {IDC_FOR_HOUR, IDC_FOR_MINUTE, IDOK, IDCANCEL, IDC_FOR_HOUR}},
        TabCase{.name = "While",
                .dialog = Dlg::While,
                .order = {IDC_WHILE_LIST, IDOK, IDCANCEL, IDC_WHILE_LIST}},
        TabCase{.name = "License",
                .dialog = Dlg::License,
                .order = {IDC_LIC_MEMO, IDC_LIC_PRINT, IDC_LIC_OK, IDC_LIC_MEMO}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick::test
