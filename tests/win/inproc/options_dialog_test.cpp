// The Options dialog against a test record: its controls and layout, the
// numeric field's rules, OK/Cancel/Esc/Enter, and what a confirmed dialog
// makes the keep-awake controller do (save, re-arm, release).
#include "common/app_error.h"
#include "common/win32/temp_file.h"
#include "fakes/fake_policy_store.h"
#include "fakes/keep_awake_rig.h"
#include "resources/resource.h"
#include "settings/win32/options_dialog.h"
#include "win/inproc/dialog_layout_checks.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace staywick::test {
namespace {

struct Box {
    int id, left, top, width, height;
    bool growsWithText = false; // one-line labels: at least this wide, more if the text needs it
};

// The layout at 120 pixels per inch (the numeric field: edit and arrows together).
constexpr Box kDesigned[] = {
    {.id = IDC_OPT_LABEL6, .left = 10, .top = 20, .width = 27, .height = 20, .growsWithText = true},
    {.id = IDC_OPT_COMBOKEY, .left = 49, .top = 17, .width = 132, .height = 28},
    {.id = IDC_OPT_LABEL4, .left = 10, .top = 58, .width = 378, .height = 24},
    {.id = IDC_OPT_LABEL1,
     .left = 10,
     .top = 93,
     .width = 181,
     .height = 20,
     .growsWithText = true},
    {.id = IDC_OPT_LABELMINS,
     .left = 263,
     .top = 92,
     .width = 52,
     .height = 20,
     .growsWithText = true},
    {.id = IDC_OPT_LABEL2, .left = 10, .top = 124, .width = 348, .height = 40},
    {.id = IDC_OPT_CHECKNOTIFY, .left = 10, .top = 178, .width = 274, .height = 21},
    {.id = IDC_OPT_LABEL3, .left = 10, .top = 204, .width = 378, .height = 40},
    {.id = IDOK, .left = 191, .top = 261, .width = 93, .height = 30},
    {.id = IDCANCEL, .left = 292, .top = 261, .width = 94, .height = 30},
    // The hotkey row, below the designed controls.
    {.id = IDC_OPT_HOTKEYLABEL,
     .left = 10,
     .top = 306,
     .width = 70,
     .height = 20,
     .growsWithText = true},
    {.id = IDC_OPT_HOTKEY, .left = 90, .top = 302, .width = 194, .height = 28},
    {.id = IDC_OPT_HOTKEYCLEAR, .left = 292, .top = 301, .width = 94, .height = 30},
    // "Keep the display on", in a row of its own below.
    {.id = IDC_OPT_KEEPDISPLAYON, .left = 10, .top = 343, .width = 274, .height = 21},
    // Staying awake with the lid closed, in a row of its own below that.
    {.id = IDC_OPT_LIDLABEL,
     .left = 10,
     .top = 384,
     .width = 226,
     .height = 20,
     .growsWithText = true},
    {.id = IDC_OPT_LIDCLOSED, .left = 244, .top = 380, .width = 140, .height = 28},
    // "When it ends", in a row of its own below the lid's.
    {.id = IDC_OPT_ENDLABEL,
     .left = 10,
     .top = 421,
     .width = 150,
     .height = 20,
     .growsWithText = true},
};

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }

    HWND Item(HWND dlg, int id) { return ::GetDlgItem(dlg, id); }
    std::wstring SpinText(HWND dlg) { return TextOf(Item(dlg, IDC_OPT_SPINEDIT)); }

    void ExpectLayoutAt(HWND dlg, UINT dpi) {
        const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 120); };
        for (const Box& b : kDesigned) {
            SCOPED_TRACE(testing::Message() << "control " << b.id << " at " << dpi << " dpi");
            const RECT r = ChildRect(Item(dlg, b.id));
            EXPECT_EQ(r.left, s(b.left));
            EXPECT_EQ(r.top, s(b.top));
            if (b.growsWithText) {
                EXPECT_GE(r.right - r.left, s(b.width));
                EXPECT_LE(r.right - r.left, s(b.width) * 3 / 2) << "no more than the text needs";
            } else {
                EXPECT_EQ(r.right - r.left, s(b.width));
            }
            EXPECT_EQ(r.bottom - r.top, s(b.height));
        }
        // The numeric field: edit and arrows side by side fill 204, 89, 48 x 30.
        const RECT edit = ChildRect(Item(dlg, IDC_OPT_SPINEDIT));
        const RECT arrows = ChildRect(Item(dlg, IDC_OPT_SPINUPDOWN));
        EXPECT_EQ(edit.left, s(204));
        EXPECT_EQ(edit.top, s(89));
        EXPECT_EQ(edit.right, arrows.left);
        EXPECT_EQ(arrows.right, s(204) + s(48));
        EXPECT_EQ(edit.bottom - edit.top, s(30));
        EXPECT_EQ(arrows.bottom - arrows.top, s(30));
        RECT client{};
        ::GetClientRect(dlg, &client);
        EXPECT_EQ(client.right, s(396));
        // 301 as designed, the hotkey row, the display's, the lid's and the end's.
        EXPECT_EQ(client.bottom, s(458));
        const RECT end = ChildRect(Item(dlg, IDC_OPT_ENDACTION));
        EXPECT_EQ(end.left, s(200));
        EXPECT_EQ(end.top, s(417));
        EXPECT_EQ(end.right - end.left, s(186));
        EXPECT_EQ(FontOf(Item(dlg, IDOK)).lfHeight, -s(15));
        EXPECT_EQ(FontOf(Item(dlg, IDC_OPT_LABEL4)).lfHeight, -s(13));
        EXPECT_EQ(FontOf(Item(dlg, IDC_OPT_LABEL2)).lfHeight, -s(13));
        EXPECT_EQ(FontOf(Item(dlg, IDC_OPT_LABEL3)).lfHeight, -s(13));
        EXPECT_EQ(std::wstring(FontOf(Item(dlg, IDC_OPT_COMBOKEY)).lfFaceName), L"Segoe UI");
    }

    // The real controller behind the opener, on a virtual clock and fake
    // input; options_ is its record.
    OptionsDialogHost HostFor(HWND owner) {
        rig_.Create();
        // Somewhere else than the 5000 ms a confirmed dialog re-arms it to.
        rig_.controller->TimerMain.SetInterval(123000);
        return OptionsDialogHost{.app = app_,
                                 .options = options_,
                                 .owner = owner,
                                 .confirmed = [this](bool notifySystemWasOn) {
                                     rig_.controller->OptionsConfirmed(notifySystemWasOn);
                                 }};
    }
    int Saves() const { return static_cast<int>(rig_.saved.size()); }
    int Releases() const {
        return static_cast<int>(std::count(rig_.input.executionStates.begin(),
                                           rig_.input.executionStates.end(), 0x80000000u));
    }
    std::uint32_t MainInterval() const { return rig_.controller->TimerMain.Interval(); }

    Application app_{L"Staywick"};
    fakes::KeepAwakeRig rig_;
    TStaywickOptions& options_ = rig_.options;
};

TEST_F(OptionsDialogTest, ControlsTextsLayoutAndTabOrder) {
    options_.SleepMax = 3;
    options_.InputKey = 1;
    options_.NotifySystem = true;
    TFrmOptions form(nullptr, options_, app_.Handle());
    HWND dlg = form.Handle();

    EXPECT_EQ(TextOf(dlg), L"Options");
    const auto style = ::GetWindowLongPtrW(dlg, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "fixed dialog frame";
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABEL6)), L"Key:");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABEL4)),
              L"Specify the key used to perform a simulated input in the system");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABEL1)), L"&Maximum system idle time:");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABEL2)),
              L"Specify the maximum time the system is allowed to be idle. Default is 3 minutes.");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_CHECKNOTIFY)), L"Notify the system that it is in use");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABEL3)),
              L"Notify the system of its active status to prevent it from entering sleep mode or "
              L"turning off the display.");
    EXPECT_EQ(TextOf(Item(dlg, IDOK)), L"&OK");
    EXPECT_EQ(TextOf(Item(dlg, IDCANCEL)), L"&Cancel");
    EXPECT_TRUE(::GetWindowLongPtrW(Item(dlg, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);

    HWND combo = Item(dlg, IDC_OPT_COMBOKEY);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    const wchar_t* keys[] = {L"F15", L"Num Lock", L"Shift"};
    for (int i = 0; i < 3; ++i) {
        wchar_t item[32] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, keys[i]);
    }
    EXPECT_EQ((::GetWindowLongPtrW(combo, GWL_STYLE) & 3), CBS_DROPDOWNLIST);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SpinText(dlg), L"3");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABELMINS)), L"Minutes");
    EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_OPT_CHECKNOTIFY), BST_CHECKED);

    ExpectLayoutAt(dlg, WindowDpi(dlg));

    // Tab order: key list, numeric field, check box, OK, Cancel, then the
    // hotkey, its Clear button, "Keep the display on", the lid's list, "When it ends",
    // and round again.
    const int order[] = {
        IDC_OPT_COMBOKEY,  IDC_OPT_SPINEDIT,  IDC_OPT_CHECKNOTIFY, IDOK,
        IDCANCEL,          IDC_OPT_HOTKEY,    IDC_OPT_HOTKEYCLEAR, IDC_OPT_KEEPDISPLAYON,
        IDC_OPT_LIDCLOSED, IDC_OPT_ENDACTION, IDC_OPT_COMBOKEY};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(::GetNextDlgTabItem(dlg, Item(dlg, order[i]), FALSE), Item(dlg, order[i + 1]))
            << "after control " << order[i];
    }
    // The explanatory texts are no stops.
    for (int id : {IDC_OPT_LABEL4, IDC_OPT_LABEL2, IDC_OPT_LABEL3, IDC_OPT_LABELMINS}) {
        EXPECT_FALSE(::GetWindowLongPtrW(Item(dlg, id), GWL_STYLE) & WS_TABSTOP);
    }
    // Alt+M's label leads to the numeric field: the next stop after it
    // (only the field's hidden name stands between them).
    EXPECT_EQ(::GetNextDlgTabItem(dlg, Item(dlg, IDC_OPT_LABEL1), FALSE),
              Item(dlg, IDC_OPT_SPINEDIT));

    // Another resolution: the whole layout follows.
    RECT suggested{};
    ::GetWindowRect(dlg, &suggested);
    ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ExpectLayoutAt(dlg, 144);
}

TEST_F(OptionsDialogTest, OutOfRangeRecordShowsBoundsAndNoKeyStoresMinusOne) {
    struct Case {
        std::int32_t sleepMax;
        const wchar_t* shown;
        const wchar_t* unit;
    };
    for (const Case& c : {Case{.sleepMax = 0, .shown = L"1", .unit = L"Minute"},
                          Case{.sleepMax = 20000, .shown = L"9999", .unit = L"Minutes"},
                          Case{.sleepMax = -7, .shown = L"1", .unit = L"Minute"},
                          Case{.sleepMax = 1, .shown = L"1", .unit = L"Minute"}}) {
        TStaywickOptions options;
        options.SleepMax = c.sleepMax;
        options.InputKey = 5;
        TFrmOptions form(nullptr, options, nullptr);
        EXPECT_EQ(SpinText(form.Handle()), c.shown) << c.sleepMax;
        EXPECT_EQ(TextOf(Item(form.Handle(), IDC_OPT_LABELMINS)), c.unit);
        EXPECT_EQ(options.SleepMax, c.sleepMax) << "filling in leaves the record alone";
        EXPECT_EQ(::SendDlgItemMessageW(form.Handle(), IDC_OPT_COMBOKEY, CB_GETCURSEL, 0, 0), -1);
        form.BtnOkClick();
        EXPECT_EQ(options.SleepMax, std::stoi(c.shown));
        EXPECT_EQ(options.InputKey, -1);
    }
}

// Sets the user's decimal separator for a test's life, and puts it back.
class ScopedDecimalSeparator {
public:
    explicit ScopedDecimalSeparator(const wchar_t* separator) {
        wchar_t old[8] = {};
        if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old, 8) > 0)
            old_ = old;
        set_ = ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != FALSE;
    }
    ~ScopedDecimalSeparator() {
        if (set_ && !old_.empty())
            ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_.c_str());
    }
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;
    bool Set() const { return set_; }

private:
    std::wstring old_;
    bool set_ = false;
};

// The field takes digits, signs and the user's own decimal separator only.
struct TypedCase {
    const char* name;
    const wchar_t* separator;
    const wchar_t* kept;
};

TEST_F(OptionsDialogTest, NumericFieldRefusesLettersBlanksAndAnotherSeparator) {
    const TypedCase cases[] = {
        {.name = "a point", .separator = L".", .kept = L"12.-+"},
        {.name = "a comma", .separator = L",", .kept = L"12,-+"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedDecimalSeparator separator(c.separator);
        ASSERT_TRUE(separator.Set());
        ASSERT_EQ(UserDecimalSeparator(), c.separator);
        TFrmOptions form(nullptr, options_, nullptr);
        HWND edit = Item(form.Handle(), IDC_OPT_SPINEDIT);
        ::SetWindowTextW(edit, L"");
        for (wchar_t ch : std::wstring(L"1a2x.,-+ "))
            ::SendMessageW(edit, WM_CHAR, ch, 0);
        EXPECT_EQ(SpinText(form.Handle()), c.kept);
    }
}

TEST_F(OptionsDialogTest, NumericFieldTypingArrowsButtonsAndFocusLoss) {
    TFrmOptions form(nullptr, options_, nullptr);
    HWND dlg = form.Handle();
    HWND edit = Item(dlg, IDC_OPT_SPINEDIT);
    ::ShowWindow(dlg, SW_SHOW);
    ::SetForegroundWindow(dlg);

    ::SetWindowTextW(edit, L"");
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LABELMINS)), L"Minute") << "a cleared field counts as 1";

    ::SetWindowTextW(edit, L"7");
    ::SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(SpinText(dlg), L"8");
    ::SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    ::SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SpinText(dlg), L"6");
    ::SetWindowTextW(edit, L"9999");
    ::SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(SpinText(dlg), L"9999");
    ::SetWindowTextW(edit, L"1");
    ::SendMessageW(edit, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SpinText(dlg), L"1");

    // The arrow buttons: a click on the upper and on the lower half.
    HWND arrows = Item(dlg, IDC_OPT_SPINUPDOWN);
    RECT r{};
    ::GetClientRect(arrows, &r);
    ::SetWindowTextW(edit, L"41");
    const auto click = [&](int y) {
        ::SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, y));
        ::SendMessageW(arrows, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, y));
    };
    click(2);
    EXPECT_EQ(SpinText(dlg), L"42");
    click(r.bottom - 3);
    click(r.bottom - 3);
    EXPECT_EQ(SpinText(dlg), L"40");

    // Bounds apply when the field loses the focus; a non-number stays as typed.
    for (const auto& [typed, after] : {std::pair{L"0", L"1"},
                                       {L"10000", L"9999"},
                                       {L"-3", L"1"},
                                       {L"abc", L"abc"},
                                       {L"250", L"250"}}) {
        ::SetFocus(edit);
        ::SetWindowTextW(edit, typed);
        ::SetFocus(Item(dlg, IDC_OPT_COMBOKEY));
        EXPECT_EQ(SpinText(dlg), after) << typed;
    }
    // Pasting is allowed (Ctrl+V is a control character).
    EXPECT_TRUE(::SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
}

TEST_F(OptionsDialogTest, OkSavesRearmsAndReleasesWhenNotifyIsSwitchedOff) {
    options_ = TStaywickOptions{};
    options_.SleepMax = 3;
    options_.InputKey = 0;
    options_.NotifySystem = true;
    HWND main = ::CreateWindowExW(0, L"STATIC", L"Main", WS_POPUP, 0, 0, 10, 10, app_.Handle(),
                                  nullptr, nullptr, nullptr);
    const OptionsDialogHost host = HostFor(main);
    RECT placed{};
    int dialogs = 0;
    bool ownerDisabled = false;
    RunSoon([&] {
        ASSERT_NE(FrmOptions, nullptr);
        HWND dlg = FrmOptions->Handle();
        ::GetWindowRect(dlg, &placed);
        ownerDisabled = !::IsWindowEnabled(main);
        // "&Options..." again while open: the same dialog, no second one.
        TFrmOptions* open = FrmOptions;
        SetMaximumsystemidletime1Click(host);
        EXPECT_EQ(FrmOptions, open);
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM count) {
                if (TextOf(w) == L"Options" && ::IsWindowVisible(w))
                    ++*reinterpret_cast<int*>(count);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&dialogs));

        ::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_SETCURSEL, 1, 0); // "Num Lock"
        ::SetDlgItemTextW(dlg, IDC_OPT_SPINEDIT, L"7");
        ::CheckDlgButton(dlg, IDC_OPT_CHECKNOTIFY, BST_UNCHECKED);
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    SetMaximumsystemidletime1Click(host);

    EXPECT_EQ(FrmOptions, nullptr);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(ownerDisabled) << "the owner is disabled while the dialog is modal";
    EXPECT_TRUE(::IsWindowEnabled(main));
    EXPECT_EQ(options_.InputKey, 1);
    EXPECT_EQ(options_.SleepMax, 7);
    EXPECT_FALSE(options_.NotifySystem);
    EXPECT_EQ(Saves(), 1);
    EXPECT_EQ(rig_.saved.back(), options_) << "the record is saved as the dialog left it";
    EXPECT_EQ(MainInterval(), 5000u);
    EXPECT_EQ(Releases(), 1);
    // Placed 20 px from the work area's right and bottom (the taskbar is at the bottom).
    const RECT work = WorkArea();
    EXPECT_EQ(placed.right, work.right - 20);
    EXPECT_EQ(placed.bottom, work.bottom - 20);
    // The application window lost its taskbar presence for good.
    const auto ex = ::GetWindowLongPtrW(app_.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);

    // Switching it on again requests nothing at once.
    RunSoon([&] {
        ::CheckDlgButton(FrmOptions->Handle(), IDC_OPT_CHECKNOTIFY, BST_CHECKED);
        ::PostMessageW(FrmOptions->Handle(), WM_COMMAND, IDOK, 0);
    });
    SetMaximumsystemidletime1Click(host);
    EXPECT_TRUE(options_.NotifySystem);
    EXPECT_EQ(Releases(), 1);
    EXPECT_EQ(Saves(), 2);
    ::DestroyWindow(main);
}

TEST_F(OptionsDialogTest, CancelEscAndTheCloseBoxChangeNothing) {
    options_.SleepMax = 3;
    options_.InputKey = 2;
    const TStaywickOptions before = options_;
    const OptionsDialogHost host = HostFor(nullptr);
    const auto changeThen = [&](std::function<void(HWND)> close) {
        RunSoon([&, close] {
            HWND dlg = FrmOptions->Handle();
            ::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_SETCURSEL, 0, 0);
            ::SetDlgItemTextW(dlg, IDC_OPT_SPINEDIT, L"55");
            ::CheckDlgButton(dlg, IDC_OPT_CHECKNOTIFY, BST_UNCHECKED);
            close(dlg);
        });
        SetMaximumsystemidletime1Click(host);
    };
    changeThen([](HWND dlg) { ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0); });
    changeThen([](HWND dlg) {
        // Esc reaches the dialog through the application's loop.
        ::PostMessageW(::GetDlgItem(dlg, IDC_OPT_COMBOKEY), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    changeThen([](HWND dlg) { ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(options_, before);
    EXPECT_EQ(Saves(), 0);
    EXPECT_EQ(MainInterval(), 123000u);
    EXPECT_EQ(Releases(), 0);
    EXPECT_EQ(FrmOptions, nullptr);
}

TEST_F(OptionsDialogTest, EnterInTheFieldStoresTheBoundedNumber) {
    for (const auto& [typed, stored] : {std::pair{L"0", 1}, {L"10000", 9999}, {L"", 1}}) {
        const OptionsDialogHost host = HostFor(nullptr);
        RunSoon([&, typed = typed] {
            HWND edit = ::GetDlgItem(FrmOptions->Handle(), IDC_OPT_SPINEDIT);
            ::SetFocus(edit);
            ::SetWindowTextW(edit, typed);
            ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        });
        SetMaximumsystemidletime1Click(host);
        EXPECT_EQ(options_.SleepMax, stored) << typed;
    }
}

TEST_F(OptionsDialogTest, AFailedSaveReachesTheCallerAndTheDialogIsReleased) {
    const OptionsDialogHost host = HostFor(nullptr);
    rig_.saveHook = [] { throw AppError(L"Unable to write to X:\\Staywick.Settings"); };
    RunSoon([] { ::PostMessageW(FrmOptions->Handle(), WM_COMMAND, IDOK, 0); });
    options_.SleepMax = 3;
    EXPECT_THROW(SetMaximumsystemidletime1Click(host), AppError);
    EXPECT_EQ(FrmOptions, nullptr);
    EXPECT_EQ(MainInterval(), 123000u) << "the timer is not re-armed after a failed save";
    EXPECT_FALSE(::FindWindowW(L"#32770", L"Options"));
}

bool Enabled(HWND control) {
    return ::IsWindowEnabled(control) != FALSE;
}

bool Shown(HWND control) {
    return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Which choices a policy greys out, and whether the note shows.
struct PolicyGreyCase {
    const char* name;
    StaywickPolicy policy;
    bool keyOpen, limitOpen, notifyOpen, note;
};

TEST_F(OptionsDialogTest, APolicyGreysTheChoicesItSetsAndTheNoteShowsWithThem) {
    const PolicyGreyCase cases[] = {
        {.name = "no policy",
         .policy = fakes::MachinePolicy({}),
         .keyOpen = true,
         .limitOpen = true,
         .notifyOpen = true,
         .note = false},
        {.name = "the limit and the key set",
         .policy = fakes::MachinePolicy({{PolicyId::SleepMax, 20}, {PolicyId::InputKey, 2}}),
         .keyOpen = false,
         .limitOpen = false,
         .notifyOpen = true,
         .note = true},
        {.name = "no simulated input: the key and notify",
         .policy = fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}),
         .keyOpen = false,
         .limitOpen = true,
         .notifyOpen = false,
         .note = true},
        {.name = "policies outside the dialog",
         .policy = fakes::MachinePolicy({{PolicyId::MaxMinutes, 30}, {PolicyId::HideDonate, 1}}),
         .keyOpen = true,
         .limitOpen = true,
         .notifyOpen = true,
         .note = false},
    };
    for (const PolicyGreyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TFrmOptions form(nullptr, options_, app_.Handle(), c.policy);
        HWND dlg = form.Handle();
        EXPECT_EQ(Enabled(Item(dlg, IDC_OPT_COMBOKEY)), c.keyOpen);
        EXPECT_EQ(Enabled(Item(dlg, IDC_OPT_SPINEDIT)), c.limitOpen);
        EXPECT_EQ(Enabled(Item(dlg, IDC_OPT_SPINUPDOWN)), c.limitOpen);
        EXPECT_EQ(Enabled(Item(dlg, IDC_OPT_CHECKNOTIFY)), c.notifyOpen);
        EXPECT_EQ(Shown(Item(dlg, IDC_OPT_POLICYNOTE)), c.note);
    }
}

// Set choices show the policy's values greyed out, with the note above the
// buttons, which move down with the dialog's bottom edge; OK keeps the
// user's own values of them in the record and takes the open ones.
TEST_F(OptionsDialogTest, PolicySetChoicesAreGreyedWithTheNoteAndOkKeepsTheUsersValues) {
    options_.SleepMax = 3;
    options_.InputKey = 1;
    options_.NotifySystem = false;
    TFrmOptions form(nullptr, options_, app_.Handle(),
                     fakes::MachinePolicy({{PolicyId::SleepMax, 20}, {PolicyId::InputKey, 2}}));
    HWND dlg = form.Handle();
    EXPECT_EQ(SpinText(dlg), L"20");
    EXPECT_EQ(::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_OPT_CHECKNOTIFY), BST_UNCHECKED);

    HWND note = Item(dlg, IDC_OPT_POLICYNOTE);
    EXPECT_EQ(TextOf(note), L"Some settings are managed by your organization.");
    const UINT dpi = WindowDpi(dlg);
    const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 120); };
    EXPECT_EQ(ChildRect(note).left, s(10));
    EXPECT_EQ(ChildRect(note).top, s(250));
    EXPECT_GE(ChildRect(Item(dlg, IDOK)).top, ChildRect(note).bottom);
    EXPECT_EQ(ChildRect(Item(dlg, IDOK)).top, s(289));
    EXPECT_EQ(ChildRect(Item(dlg, IDCANCEL)).top, s(289));
    // The hotkey row below the buttons moves down with them.
    EXPECT_EQ(ChildRect(Item(dlg, IDC_OPT_HOTKEY)).top, s(330));
    EXPECT_GE(ChildRect(Item(dlg, IDC_OPT_HOTKEY)).top, ChildRect(Item(dlg, IDOK)).bottom);
    RECT client{};
    ::GetClientRect(dlg, &client);
    EXPECT_EQ(client.bottom, s(486));

    ::CheckDlgButton(dlg, IDC_OPT_CHECKNOTIFY, BST_CHECKED);
    form.BtnOkClick();
    EXPECT_EQ(options_.SleepMax, 3);
    EXPECT_EQ(options_.InputKey, 1);
    EXPECT_TRUE(options_.NotifySystem);
}

TEST_F(OptionsDialogTest, WithoutSimulatedInputTheKeyAndNotifyAreGreyedAndNotifyShowsOn) {
    options_.InputKey = 0;
    options_.NotifySystem = false;
    TFrmOptions form(nullptr, options_, app_.Handle(),
                     fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}));
    HWND dlg = form.Handle();
    EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_OPT_CHECKNOTIFY), BST_CHECKED);
    ::SetWindowTextW(Item(dlg, IDC_OPT_SPINEDIT), L"12");
    form.BtnOkClick();
    EXPECT_EQ(options_.SleepMax, 12);
    EXPECT_EQ(options_.InputKey, 0);
    EXPECT_FALSE(options_.NotifySystem);
}

// A policy that leaves only unrelated values set adds no note: the dialog
// keeps its height.
TEST_F(OptionsDialogTest, PoliciesOutsideTheDialogAddNoNote) {
    TFrmOptions form(nullptr, options_, app_.Handle(),
                     fakes::MachinePolicy({{PolicyId::MaxMinutes, 30}, {PolicyId::HideDonate, 1}}));
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.bottom, ::MulDiv(458, static_cast<int>(WindowDpi(form.Handle())), 120));
}

// "&When it ends:" lists the actions (hibernation only where the system
// has it) with the user's choice selected, and OK stores the one chosen; the
// AllowEndAction policy greys it with the note, and OK keeps the user's own.
TEST_F(OptionsDialogTest, WhenItEndsShowsAndStoresTheChoice) {
    options_.EndAction = 3;
    {
        TFrmOptions form(nullptr, options_, app_.Handle());
        HWND dlg = form.Handle();
        EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_ENDLABEL)), L"&When it ends:");
        EXPECT_EQ(::GetWindow(Item(dlg, IDC_OPT_ENDLABEL), GW_HWNDNEXT),
                  Item(dlg, IDC_OPT_ENDACTION))
            << "Alt+W's label stands right before the list";
        HWND combo = Item(dlg, IDC_OPT_ENDACTION);
        ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 6);
        wchar_t text[64] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, ::SendMessageW(combo, CB_GETCURSEL, 0, 0),
                       reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, L"Sleep");
        form.OfferHibernate(false);
        ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
        ::SendMessageW(combo, CB_SETCURSEL, 4, 0); // "Shut down", after the missing "Hibernate"
        form.BtnOkClick();
        EXPECT_EQ(options_.EndAction, 5);
    }
    TFrmOptions form(nullptr, options_, app_.Handle(),
                     fakes::MachinePolicy({{PolicyId::AllowEndAction, 0}}));
    HWND dlg = form.Handle();
    EXPECT_FALSE(::IsWindowEnabled(Item(dlg, IDC_OPT_ENDACTION)));
    EXPECT_TRUE(Shown(Item(dlg, IDC_OPT_POLICYNOTE)));
    ::SendDlgItemMessageW(dlg, IDC_OPT_ENDACTION, CB_SETCURSEL, 0, 0);
    form.BtnOkClick();
    EXPECT_EQ(options_.EndAction, 5);
}

// "&Keep the display on" shows the user's choice and OK stores it; the
// policy shows it off, greyed with the note, and OK keeps the user's own.
TEST_F(OptionsDialogTest, KeepTheDisplayOnShowsStoresAndIsGreyedByPolicy) {
    struct Row {
        const char* name;
        bool keepDisplayOn;
        bool forbidden; // AllowKeepDisplayOn = 0
        UINT shown;
        bool enabled;
        UINT ticked; // what the user leaves in the box before OK
        bool stored;
    };
    const Row rows[] = {
        {.name = "on, cleared",
         .keepDisplayOn = true,
         .forbidden = false,
         .shown = BST_CHECKED,
         .enabled = true,
         .ticked = BST_UNCHECKED,
         .stored = false},
        {.name = "off, ticked",
         .keepDisplayOn = false,
         .forbidden = false,
         .shown = BST_UNCHECKED,
         .enabled = true,
         .ticked = BST_CHECKED,
         .stored = true},
        {.name = "forbidden",
         .keepDisplayOn = true,
         .forbidden = true,
         .shown = BST_UNCHECKED,
         .enabled = false,
         .ticked = BST_UNCHECKED,
         .stored = true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        options_.KeepDisplayOn = row.keepDisplayOn;
        options_.NotifySystem = false;
        const StaywickPolicy policy =
            row.forbidden ? fakes::MachinePolicy({{PolicyId::AllowKeepDisplayOn, 0}})
                          : StaywickPolicy{};
        TFrmOptions form(nullptr, options_, app_.Handle(), policy);
        HWND dlg = form.Handle();
        HWND box = Item(dlg, IDC_OPT_KEEPDISPLAYON);
        EXPECT_EQ(TextOf(box), L"&Keep the display on");
        EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_OPT_KEEPDISPLAYON), row.shown);
        EXPECT_EQ(Enabled(box), row.enabled);
        EXPECT_EQ(Shown(Item(dlg, IDC_OPT_POLICYNOTE)), row.forbidden);
        EXPECT_EQ(::IsDlgButtonChecked(dlg, IDC_OPT_CHECKNOTIFY), BST_UNCHECKED)
            << "the user's own notify choice, whatever the display mode";
        ::CheckDlgButton(dlg, IDC_OPT_KEEPDISPLAYON, row.ticked);
        form.BtnOkClick();
        EXPECT_EQ(options_.KeepDisplayOn, row.stored);
        EXPECT_FALSE(options_.NotifySystem);
        for (const UINT dpi : {96u, 144u}) {
            RECT suggested{};
            ::GetWindowRect(dlg, &suggested);
            ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            ExpectTextsFit(dlg, dpi, IDC_OPT_KEEPDISPLAYON);
        }
    }
    // Its key is the dialog's only "K".
    TFrmOptions form(nullptr, options_, app_.Handle());
    int ks = 0;
    for (HWND child = ::GetWindow(form.Handle(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ks += AccessKey(TextOf(child)) == L'K';
    EXPECT_EQ(ks, 1);
}

} // namespace
} // namespace staywick::test

namespace staywick::test {
namespace {

TEST_F(OptionsDialogTest, HotkeyFieldShowsClearsAndStoresTheControlsValue) {
    constexpr std::int32_t kCtrlAltK = ((HOTKEYF_CONTROL | HOTKEYF_ALT) << 8) | 'K';
    options_.Hotkey = kCtrlAltK;
    TFrmOptions form(nullptr, options_, app_.Handle());
    HWND dlg = form.Handle();
    const auto shown = [&] {
        return LOWORD(::SendDlgItemMessageW(dlg, IDC_OPT_HOTKEY, HKM_GETHOTKEY, 0, 0));
    };
    EXPECT_EQ(shown(), kCtrlAltK);
    EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_HOTKEYCLEAR)), L"C&lear");
    ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_OPT_HOTKEYCLEAR, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(dlg, IDC_OPT_HOTKEYCLEAR)));
    EXPECT_EQ(shown(), 0);
    EXPECT_EQ(options_.Hotkey, kCtrlAltK) << "nothing changes before OK";
    form.BtnOkClick();
    EXPECT_EQ(options_.Hotkey, 0);
    const std::int32_t shiftF9 = (HOTKEYF_SHIFT << 8) | VK_F9;
    ::SendDlgItemMessageW(dlg, IDC_OPT_HOTKEY, HKM_SETHOTKEY, shiftF9, 0);
    form.BtnOkClick();
    EXPECT_EQ(options_.Hotkey, shiftF9);
}

// "Stay awake with the l&id closed" lists the three choices, shows the
// record's (an unknown value as "Never") and OK stores the one chosen; the
// AllowLidOverride policy shows "Never", greyed with the note, and OK keeps
// the user's own value. Its label's key reaches the list and is the
// dialog's only "I".
TEST_F(OptionsDialogTest, StayAwakeWithTheLidClosedShowsStoresAndIsGreyedByPolicy) {
    struct Row {
        const char* name;
        std::int32_t record;
        bool forbidden; // AllowLidOverride = 0
        LRESULT shown;
        LRESULT chosen; // what the user picks before OK
        std::int32_t stored;
    };
    const Row rows[] = {
        {.name = "never, always chosen",
         .record = 0,
         .forbidden = false,
         .shown = 0,
         .chosen = 2,
         .stored = 2},
        {.name = "on mains power, never chosen",
         .record = 1,
         .forbidden = false,
         .shown = 1,
         .chosen = 0,
         .stored = 0},
        {.name = "always, kept",
         .record = 2,
         .forbidden = false,
         .shown = 2,
         .chosen = 2,
         .stored = 2},
        {.name = "a value no version writes",
         .record = 7,
         .forbidden = false,
         .shown = 0,
         .chosen = 1,
         .stored = 1},
        {.name = "forbidden", .record = 2, .forbidden = true, .shown = 0, .chosen = 0, .stored = 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        options_.LidClosedAwake = row.record;
        const StaywickPolicy policy = row.forbidden
                                          ? fakes::MachinePolicy({{PolicyId::AllowLidOverride, 0}})
                                          : StaywickPolicy{};
        TFrmOptions form(nullptr, options_, app_.Handle(), policy);
        HWND dlg = form.Handle();
        HWND list = Item(dlg, IDC_OPT_LIDCLOSED);
        EXPECT_EQ(TextOf(Item(dlg, IDC_OPT_LIDLABEL)), L"Stay awake with the l&id closed:");
        ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
        const wchar_t* names[] = {L"Never", L"On mains power", L"Always"};
        for (int i = 0; i < 3; ++i) {
            wchar_t item[32] = {};
            ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            EXPECT_STREQ(item, names[i]);
        }
        EXPECT_EQ((::GetWindowLongPtrW(list, GWL_STYLE) & 3), CBS_DROPDOWNLIST);
        EXPECT_EQ(::SendMessageW(list, CB_GETCURSEL, 0, 0), row.shown);
        EXPECT_EQ(Enabled(list), !row.forbidden);
        EXPECT_EQ(Shown(Item(dlg, IDC_OPT_POLICYNOTE)), row.forbidden);
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row.chosen), 0);
        form.BtnOkClick();
        EXPECT_EQ(options_.LidClosedAwake, row.stored);
        for (const UINT dpi : {96u, 144u}) {
            RECT suggested{};
            ::GetWindowRect(dlg, &suggested);
            ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            ExpectTextsFit(dlg, dpi, IDC_OPT_LIDLABEL);
            ExpectTextsFit(dlg, dpi, IDC_OPT_LIDCLOSED);
        }
    }
    TFrmOptions form(nullptr, options_, app_.Handle());
    HWND list = Item(form.Handle(), IDC_OPT_LIDCLOSED);
    EXPECT_EQ(KeyOf(list), L'I');
    int is = 0;
    for (HWND child = ::GetWindow(form.Handle(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        is += AccessKey(TextOf(child)) == L'I';
    EXPECT_EQ(is, 1);
}

} // namespace
} // namespace staywick::test
