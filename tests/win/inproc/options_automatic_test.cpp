// The Options dialog's "Automatic..." button: last in the tab order, placed
// where nothing of the Options dialog moves, and the Automatic dialog it
// opens, whose choices the record gets only when both dialogs are confirmed.
#include "fakes/fake_policy_store.h"
#include "resources/resource.h"
#include "settings/win32/options_dialog.h"
#include "ui/window_utils.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <ostream>
#include <vector>

namespace staywick::test {
namespace {

std::vector<std::pair<int, RECT>> ChildBoxes(HWND dlg, int except) {
    std::vector<std::pair<int, RECT>> boxes;
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) != except)
            boxes.emplace_back(::GetDlgCtrlID(child), ChildRect(child));
    }
    return boxes;
}

void SetDpi(HWND dlg, UINT dpi) {
    RECT suggested{};
    ::GetWindowRect(dlg, &suggested);
    ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

wchar_t AccessKey(const std::wstring& text) {
    const auto at = text.find(L'&');
    return at != std::wstring::npos && at + 1 < text.size()
               ? static_cast<wchar_t>(std::towupper(text[at + 1]))
               : 0;
}

class OptionsAutomaticTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }
    Application app_{L"Staywick"};
    TStaywickOptions options_{};
    AutomaticOptions automatic_{};
};

TEST_F(OptionsAutomaticTest, TheButtonIsReachedBeforeOkMovesNothingAndFitsItsText) {
    for (const bool note : {false, true}) {
        const StaywickPolicy policy =
            note ? fakes::MachinePolicy({{PolicyId::SleepMax, 20}}) : StaywickPolicy{};
        TFrmOptions plain(nullptr, options_, app_.Handle(), policy);
        TFrmOptions with(nullptr, options_, app_.Handle(), policy);
        with.EditAutomatic(automatic_, {});
        HWND dlg = with.Handle();
        HWND button = ::GetDlgItem(dlg, IDC_OPT_AUTOMATIC);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(plain.Handle(), IDC_OPT_AUTOMATIC)));
        EXPECT_TRUE(::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE);
        EXPECT_EQ(TextOf(button), L"&Automatic...");
        for (const UINT dpi : {96u, 144u}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, note " << note);
            SetDpi(plain.Handle(), dpi);
            SetDpi(dlg, dpi);
            const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 120); };
            const auto others = ChildBoxes(dlg, IDC_OPT_AUTOMATIC);
            const auto before = ChildBoxes(plain.Handle(), IDC_OPT_AUTOMATIC);
            ASSERT_EQ(others.size(), before.size());
            for (std::size_t i = 0; i < others.size(); ++i) {
                EXPECT_TRUE(::EqualRect(&others[i].second, &before[i].second))
                    << "control " << others[i].first << " moved";
            }
            RECT client{}, plainClient{};
            ::GetClientRect(dlg, &client);
            ::GetClientRect(plain.Handle(), &plainClient);
            EXPECT_TRUE(::EqualRect(&client, &plainClient)) << "the dialog keeps its size";

            const RECT r = ChildRect(button);
            EXPECT_EQ(r.left, s(10));
            EXPECT_EQ(r.top, ChildRect(::GetDlgItem(dlg, IDOK)).top) << "in the row of OK";
            EXPECT_LE(TextWidth(button) + ::MulDiv(8, static_cast<int>(dpi), 96), r.right - r.left);
            for (const auto& [id, box] : others) {
                RECT overlap{};
                if (::GetWindowLongPtrW(::GetDlgItem(dlg, id), GWL_STYLE) & WS_VISIBLE) {
                    EXPECT_FALSE(::IntersectRect(&overlap, &r, &box)) << "overlaps " << id;
                }
            }
        }
        // Tab order as it reads: the button stands left of OK, so it comes
        // after the check box and before OK; "When it ends" goes
        // round to the key list.
        EXPECT_EQ(::GetNextDlgTabItem(dlg, ::GetDlgItem(dlg, IDC_OPT_CHECKNOTIFY), FALSE), button);
        EXPECT_EQ(::GetNextDlgTabItem(dlg, button, FALSE), ::GetDlgItem(dlg, IDOK));
        EXPECT_EQ(::GetNextDlgTabItem(dlg, ::GetDlgItem(dlg, IDC_OPT_ENDACTION), FALSE),
                  ::GetDlgItem(dlg, IDC_OPT_COMBOKEY));
    }
    // Its access key is the dialog's only "A".
    TFrmOptions form(nullptr, options_, app_.Handle());
    std::map<wchar_t, int> keys;
    for (HWND child = ::GetWindow(form.Handle(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (const wchar_t key = AccessKey(TextOf(child)))
            ++keys[key];
    }
    for (const auto& [key, count] : keys)
        EXPECT_EQ(count, 1) << static_cast<char>(key);
    EXPECT_EQ(keys[L'A'], 1);
}

struct CloseRow {
    const char* name;
    bool automaticOk, optionsOk, kept;
};

void PrintTo(const CloseRow& row, std::ostream* os) {
    *os << row.name;
}

class OptionsAutomaticClose : public OptionsAutomaticTest,
                              public ::testing::WithParamInterface<CloseRow> {};

// Runs `action` once `ready` holds, looking again every 20 ms.
void WhenReady(std::function<bool()> ready, std::function<void()> action, int tries = 250) {
    RunSoon(
        [=] {
            if (ready())
                action();
            else if (tries > 0)
                WhenReady(ready, action, tries - 1);
        },
        20);
}

void Click(HWND dlg, int id) {
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
}

// As a user would, once the Options dialog opened by `host` is up: clicks
// "Automatic...", runs `inAutomatic` on the Automatic dialog (Options is its
// owner) and closes it with `automaticClose`, then Options with `optionsClose`.
void ThroughBothDialogs(const OptionsDialogHost& host,
                        std::function<void(HWND automatic, HWND options)> inAutomatic,
                        int automaticClose, int optionsClose) {
    WhenReady([] { return FrmOptions != nullptr; },
              [=] {
                  HWND options = FrmOptions->Handle();
                  Click(options, IDC_OPT_AUTOMATIC);
                  WhenReady([] { return FrmAutomatic != nullptr; },
                            [=] {
                                HWND dlg = FrmAutomatic->Handle();
                                inAutomatic(dlg, options);
                                Click(dlg, automaticClose);
                                WhenReady([] { return FrmAutomatic == nullptr; },
                                          [=] { Click(options, optionsClose); });
                            });
              });
    SetMaximumsystemidletime1Click(host);
}

TEST_P(OptionsAutomaticClose, OnlyBothOksKeepTheChoices) {
    const CloseRow& row = GetParam();
    automatic_.WhilePrograms = {L"obs64.exe"};
    const AutomaticOptions before = automatic_;
    int confirmed = 0;
    bool ownerDisabled = false, broughtForward = false;
    const OptionsDialogHost host{.app = app_,
                                 .options = options_,
                                 .owner = app_.Handle(),
                                 .confirmed = [&](bool) { ++confirmed; },
                                 .automatic = &automatic_};
    ThroughBothDialogs(
        host,
        [&](HWND dlg, HWND options) {
            ownerDisabled = !::IsWindowEnabled(options);
            // "&Options..." again meanwhile: no second dialog, the Automatic
            // one comes forward.
            const TFrmOptions* open = FrmOptions;
            SetMaximumsystemidletime1Click(host);
            broughtForward = FrmOptions == open && ::GetForegroundWindow() == dlg;
            ::CheckDlgButton(dlg, IDC_AUTO_MONDAY + 5, BST_CHECKED);
            ::SetDlgItemTextW(dlg, IDC_AUTO_NAME, L"vlc.exe");
        },
        row.automaticOk ? IDOK : IDCANCEL, row.optionsOk ? IDOK : IDCANCEL);
    EXPECT_TRUE(ownerDisabled) << "the Automatic dialog is modal over Options";
    EXPECT_TRUE(broughtForward);
    EXPECT_EQ(FrmAutomatic, nullptr);
    EXPECT_EQ(FrmOptions, nullptr);
    EXPECT_EQ(confirmed, row.optionsOk ? 1 : 0);
    if (row.kept) {
        EXPECT_EQ(automatic_.ScheduleDays, 32);
        EXPECT_EQ(automatic_.WhilePrograms, (std::vector<std::wstring>{L"obs64.exe", L"vlc.exe"}));
    } else {
        EXPECT_EQ(automatic_, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, OptionsAutomaticClose,
                         ::testing::Values(CloseRow{"BothOk", true, true, true},
                                           CloseRow{"AutomaticCancelled", false, true, false},
                                           CloseRow{"OptionsCancelled", true, false, false},
                                           CloseRow{"BothCancelled", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsAutomaticTest, WithoutAutomaticByPolicyTheDialogOpensGreyed) {
    bool listEnabled = true, noteShown = false;
    const StaywickPolicy policy = fakes::MachinePolicy({{PolicyId::AllowAutomatic, 0}});
    ThroughBothDialogs(
        OptionsDialogHost{.app = app_,
                          .options = options_,
                          .owner = app_.Handle(),
                          .confirmed = {},
                          .policy = &policy,
                          .automatic = &automatic_},
        [&](HWND dlg, HWND) {
            listEnabled = ::IsWindowEnabled(::GetDlgItem(dlg, IDC_AUTO_PROGRAMLIST));
            noteShown = ::IsWindowVisible(::GetDlgItem(dlg, IDC_AUTO_POLICYNOTE));
        },
        IDCANCEL, IDCANCEL);
    EXPECT_FALSE(listEnabled);
    EXPECT_TRUE(noteShown);
}

} // namespace
} // namespace staywick::test
