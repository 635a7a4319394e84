#include "settings/win32/options_dialog.h"

#include "common/decimal_text.h"
#include "common/scope_exit.h"
#include "common/win32/temp_file.h"
#include "engine/lid_override.h"
#include "engine/end_action.h"
#include "engine/policy_rules.h"
#include "resources/resource.h"
#include "settings/spin_value.h"
#include "ui/accessible_names.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/error_report.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <algorithm>
#include <span>

namespace staywick {

TFrmOptions* FrmOptions = nullptr;

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 396;
// 301 as designed, a row below the buttons for the hotkey, one for
// "Keep the display on", one for staying awake with the lid closed and one
// for "When it ends".
constexpr int kClientHeight = 458;
constexpr int kUpDownWidth = 17; // the arrows' part of the numeric field's 48 pixels
// While a policy sets some choices, their note goes above the buttons, which
// move down by this much with the hotkey row below them, and so does the
// dialog's bottom edge.
constexpr int kPolicyNoteShift = 28;
constexpr int kPolicyNoteTop = 250;

struct ControlBox {
    int id;
    int left, top, width, height;
    bool small;    // 13 px explanatory text (wrapped in its fixed box)
    bool autoSize; // a one-line label that grows to its text (as every text does: ui/text_fit.h)
};

// Positions and sizes at 120 pixels per inch.
constexpr ControlBox kLayout[] = {
    {IDC_OPT_LABEL6, 10, 20, 27, 20, false, true},
    {IDC_OPT_COMBOKEY, 49, 17, 132, 28, false, false},
    {IDC_OPT_LABEL4, 10, 58, 378, 24, true, false},
    {IDC_OPT_LABEL1, 10, 93, 181, 20, false, true},
    {IDC_OPT_SPINEDIT, 204, 89, 48, 30, false, false}, // IDC_OPT_SPINUPDOWN at its right end
    {IDC_OPT_LABELMINS, 263, 92, 52, 20, false, true},
    {IDC_OPT_LABEL2, 10, 124, 348, 40, true, false},
    {IDC_OPT_CHECKNOTIFY, 10, 178, 274, 21, false, false},
    {IDC_OPT_LABEL3, 10, 204, 378, 40, true, false},
    {IDOK, 191, 261, 93, 30, false, false},
    {IDCANCEL, 292, 261, 94, 30, false, false},
    {IDC_OPT_HOTKEYLABEL, 10, 306, 70, 20, false, true},
    {IDC_OPT_HOTKEY, 90, 302, 194, 28, false, false},
    {IDC_OPT_HOTKEYCLEAR, 292, 301, 94, 30, false, false},
    {IDC_OPT_KEEPDISPLAYON, 10, 343, 274, 21, false, false},
    {IDC_OPT_LIDLABEL, 10, 384, 226, 20, false, true},
    {IDC_OPT_LIDCLOSED, 244, 380, 140, 28, false, false},
    {IDC_OPT_ENDLABEL, 10, 421, 150, 20, false, true},
    {IDC_OPT_ENDACTION, 200, 417, 186, 28, false, false},
    {IDC_OPT_POLICYNOTE, 10, 250, 378, 20, true, false},
    // Beside OK and Cancel, where the row has room: nothing else moves.
    {IDC_OPT_AUTOMATIC, 10, 261, 120, 30, false, false},
};

// Which choices a policy sets: the key (also when no key may be pressed at
// all), the idle time, "Notify the system" (always on without simulated
// input), "Keep the display on" (off when the policy forbids it) and
// staying awake with the lid closed (never when the policy forbids it).
struct ManagedChoices {
    bool key, sleepMax, notify, display, lid, endAction;
    bool Any() const { return key || sleepMax || notify || display || lid || endAction; }
};

ManagedChoices ManagedBy(const StaywickPolicy& policy) {
    return ManagedChoices{.key = policy.Sets(PolicyId::InputKey) || !policy.AllowSimulatedInput(),
                          .sleepMax = policy.Sets(PolicyId::SleepMax),
                          .notify =
                              policy.Sets(PolicyId::NotifySystem) || !policy.AllowSimulatedInput(),
                          .display = !policy.AllowKeepDisplayOn(),
                          .lid = !policy.AllowLidOverride(),
                          .endAction = !policy.AllowEndAction()};
}

constexpr UINT kKeyNames[] = {IDS_OPT_KEY_F15, IDS_OPT_KEY_NUMLOCK, IDS_OPT_KEY_SHIFT};
// In the order of LidClosedAwake's values.
constexpr UINT kLidChoiceNames[] = {IDS_OPT_LID_NEVER, IDS_OPT_LID_ONMAINS, IDS_OPT_LID_ALWAYS};

void FillList(HWND combo, std::span<const UINT> names) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (UINT id : names)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResString(id).c_str()));
}

// The designed width, or more when the text needs it: for the unit's label,
// whose text changes with the number after the layout fitted it.
void FitLabel(HWND label, int designedWidth) {
    RECT r{};
    ::GetWindowRect(label, &r);
    const int width = std::max(designedWidth, TextWidth(label) + 1);
    ::SetWindowPos(label, nullptr, 0, 0, width, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

TFrmOptions::TFrmOptions(HWND owner, TStaywickOptions& options, HWND appWindow,
                         StaywickPolicy policy)
    : options_(options), appWindow_(appWindow), policy_(std::move(policy)),
      decimalSeparator_(UserDecimalSeparator()) {
    Create(IDD_OPTIONS, owner, L"Cannot create the Options dialog");
}

TFrmOptions::~TFrmOptions() {
    Destroy();
}

void TFrmOptions::PrepareControls() {
    HWND edit = ::GetDlgItem(hwnd_, IDC_OPT_SPINEDIT);
    SubclassWindow(edit, &SpinEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ::SendDlgItemMessageW(hwnd_, IDC_OPT_SPINUPDOWN, UDM_SETRANGE32, kSpinMin, kSpinMax);
    // Its unit comes after it, out of the name's reach: a name with the unit.
    AddHiddenLabel(hwnd_, IDC_OPT_SPINEDIT, IDS_A11Y_IDLE_TIME);
    // "&Automatic..." stands left of OK on the buttons' row: it is reached
    // before OK, as it is read.
    PlaceInTabOrderAfter(hwnd_, IDC_OPT_AUTOMATIC, IDC_OPT_LABEL3);
}

bool TFrmOptions::FillControls() {
    FormCreate();
    return true; // the focus goes to the first control, the key list
}

INT_PTR TFrmOptions::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == IDC_OPT_SPINUPDOWN && hdr->code == UDN_DELTAPOS) {
            StepSpin(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta > 0 ? 1 : -1);
            ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                                TRUE); // the arrows keep no value of their own
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void TFrmOptions::OnCommand(int id, int code) {
    switch (id) {
    case IDOK:
        BtnOkClick();
        EndModal(IDOK);
        break;
    case IDCANCEL: // the Cancel button, Esc and the close box
        EndModal(IDCANCEL);
        break;
    case IDC_OPT_HOTKEYCLEAR:
        ::SendDlgItemMessageW(hwnd_, IDC_OPT_HOTKEY, HKM_SETHOTKEY, 0, 0);
        break;
    case IDC_OPT_AUTOMATIC:
        if (ModalApp() && automaticRecord_) {
            // The lid choice as the list shows it now, confirmed or not.
            EditAutomaticOptions(*ModalApp(), hwnd_, automaticChosen_, runningProcesses_,
                                 policy_.AllowAutomatic(), LidPauseOverruled(LidChoiceShown()));
        }
        break;
    case IDC_OPT_SPINEDIT:
        if (code == EN_CHANGE) {
            SpinDontSleepChange();
        } else if (code == EN_KILLFOCUS) {
            if (const auto bounded = SpinTextOnFocusLoss(SpinText()))
                SetSpinText(*bounded);
        }
        break;
    default:
        break;
    }
}

LRESULT CALLBACK TFrmOptions::SpinEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TFrmOptions*>(data);
    switch (msg) {
    case WM_CHAR:
        if (!IsSpinCharAllowed(static_cast<wchar_t>(wParam), self->decimalSeparator_)) {
            ::MessageBeep(0);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            self->StepSpin(wParam == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        // Arrow keys belong to the field, not to the dialog's navigation.
        return DefaultSubclassProc(edit, msg, wParam, lParam) | DLGC_WANTARROWS;
    case WM_NCDESTROY:
        RemoveSubclass(edit, &SpinEditProc, 0);
        break;
    default:
        break;
    }
    return DefaultSubclassProc(edit, msg, wParam, lParam);
}

void TFrmOptions::Layout(UINT dpi) {
    const auto s = [dpi](int v) { return Scale(v, dpi, kDesignDpi); };
    const int noteShift = ManagedBy(policy_).Any() ? kPolicyNoteShift : 0;
    // The old fonts stay alive until every control has the new ones.
    const win32::FontHandle oldFont = std::move(font_);
    const win32::FontHandle oldSmall = std::move(smallFont_);
    font_.Reset(CreateUiFont(L"Segoe UI", s(15)));
    smallFont_.Reset(CreateUiFont(L"Segoe UI", s(13)));
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    for (const ControlBox& box : kLayout) {
        HWND ctl = ::GetDlgItem(hwnd_, box.id);
        ::SendMessageW(ctl, WM_SETFONT,
                       reinterpret_cast<WPARAM>(box.small ? smallFont_.Get() : font_.Get()), TRUE);
        int width = s(box.width);
        int height = s(box.height);
        const bool belowNote = box.top > kPolicyNoteTop;
        const int top = s(belowNote ? box.top + noteShift : box.top);
        if (box.id == IDC_OPT_SPINEDIT) {
            const int arrows = s(kUpDownWidth);
            width -= arrows;
            ::SetWindowPos(::GetDlgItem(hwnd_, IDC_OPT_SPINUPDOWN), nullptr, s(box.left) + width,
                           s(box.top), arrows, height, SWP_NOZORDER);
        } else if (box.id == IDC_OPT_COMBOKEY || box.id == IDC_OPT_LIDCLOSED ||
                   box.id == IDC_OPT_ENDACTION) {
            // The given height is the closed field's; the list drops below
            // it, with room for its items.
            ::SetWindowPos(ctl, nullptr, s(box.left), top, width,
                           height + s(box.id == IDC_OPT_ENDACTION ? 200 : 120), SWP_NOZORDER);
            SetComboFieldHeight(ctl, height);
            continue;
        }
        ::SetWindowPos(ctl, nullptr, s(box.left), top, width, height, SWP_NOZORDER);
    }
    dpi_ = dpi;
    SetClientSize(hwnd_, s(kClientWidth), s(kClientHeight + noteShift), dpi);
}

void TFrmOptions::FormCreate() {
    HWND combo = ::GetDlgItem(hwnd_, IDC_OPT_COMBOKEY);
    FillList(combo, kKeyNames);
    // The record is not changed here; an out-of-range value only shows bounded.
    // What a policy sets shows the policy's value.
    const TStaywickOptions shown = EffectiveOptions(options_, policy_);
    SetSpinText(DecimalText(ClampSpin(shown.SleepMax)));
    SpinDontSleepChange();
    const bool known = shown.InputKey >= 0 && shown.InputKey <= 2;
    ::SendMessageW(combo, CB_SETCURSEL, known ? WPARAM(shown.InputKey) : WPARAM(-1), 0);
    const ManagedChoices managed = ManagedBy(policy_);
    // While the display may sleep the system request is held whatever the
    // box says; the box keeps the user's own choice for when it is kept on.
    const bool notify = managed.notify ? shown.NotifySystem : options_.NotifySystem;
    ::CheckDlgButton(hwnd_, IDC_OPT_CHECKNOTIFY, notify ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(combo, !managed.key);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_SPINEDIT), !managed.sleepMax);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_SPINUPDOWN), !managed.sleepMax);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_CHECKNOTIFY), !managed.notify);
    ::CheckDlgButton(hwnd_, IDC_OPT_KEEPDISPLAYON,
                     shown.KeepDisplayOn ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_KEEPDISPLAYON), !managed.display);
    HWND lid = ::GetDlgItem(hwnd_, IDC_OPT_LIDCLOSED);
    FillList(lid, kLidChoiceNames);
    const bool lidKnown = shown.LidClosedAwake >= 0 && shown.LidClosedAwake <= 2;
    ::SendMessageW(lid, CB_SETCURSEL, lidKnown ? WPARAM(shown.LidClosedAwake) : 0, 0);
    ::EnableWindow(lid, !managed.lid);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_LIDLABEL), !managed.lid);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_OPT_POLICYNOTE), managed.Any() ? SW_SHOWNA : SW_HIDE);
    ::SendDlgItemMessageW(hwnd_, IDC_OPT_HOTKEY, HKM_SETHOTKEY, WPARAM(options_.Hotkey), 0);
    FillEndActions();
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_OPT_ENDACTION), !managed.endAction);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_OPT_AUTOMATIC), SW_HIDE); // until EditAutomatic
    // No taskbar button and no Alt+Tab entry for the application window from now on.
    if (appWindow_) {
        LONG_PTR ex = ::GetWindowLongPtrW(appWindow_, GWL_EXSTYLE);
        ex = (ex | WS_EX_TOOLWINDOW) & ~LONG_PTR{WS_EX_APPWINDOW};
        ::SetWindowLongPtrW(appWindow_, GWL_EXSTYLE, ex);
    }
}

void TFrmOptions::SpinDontSleepChange() {
    const UINT id = SpinShowsSingular(SpinText()) ? IDS_OPT_MINUTE : IDS_OPT_MINUTES;
    ::SetDlgItemTextW(hwnd_, IDC_OPT_LABELMINS, LoadResString(id).c_str());
    FitLabel(::GetDlgItem(hwnd_, IDC_OPT_LABELMINS), Scale(52, dpi_, kDesignDpi));
}

// A choice that a policy sets keeps the user's own value in the record, to
// come back when the policy goes.
void TFrmOptions::BtnOkClick() {
    const ManagedChoices managed = ManagedBy(policy_);
    if (!managed.sleepMax)
        options_.SleepMax = SpinValue(SpinText());
    // CB_ERR (-1) with no selection: treated as Shift by the wake action.
    if (!managed.key) {
        options_.InputKey = static_cast<std::int32_t>(
            ::SendDlgItemMessageW(hwnd_, IDC_OPT_COMBOKEY, CB_GETCURSEL, 0, 0));
    }
    if (!managed.notify)
        options_.NotifySystem = ::IsDlgButtonChecked(hwnd_, IDC_OPT_CHECKNOTIFY) == BST_CHECKED;
    if (!managed.display)
        options_.KeepDisplayOn = ::IsDlgButtonChecked(hwnd_, IDC_OPT_KEEPDISPLAYON) == BST_CHECKED;
    if (!managed.lid)
        options_.LidClosedAwake = LidChoiceShown();
    if (!managed.endAction) {
        const LRESULT chosen = ::SendDlgItemMessageW(hwnd_, IDC_OPT_ENDACTION, CB_GETCURSEL, 0, 0);
        if (chosen != CB_ERR)
            options_.EndAction = static_cast<std::int32_t>(
                ::SendDlgItemMessageW(hwnd_, IDC_OPT_ENDACTION, CB_GETITEMDATA, chosen, 0));
    }
    // The control's word: virtual key and HOTKEYF_ modifiers; 0 for none.
    options_.Hotkey = static_cast<std::int32_t>(
        LOWORD(::SendDlgItemMessageW(hwnd_, IDC_OPT_HOTKEY, HKM_GETHOTKEY, 0, 0)));
    if (automaticRecord_)
        *automaticRecord_ = automaticChosen_;
}

void TFrmOptions::EditAutomatic(AutomaticOptions& record, RunningProcesses running) {
    automaticRecord_ = &record;
    automaticChosen_ = record;
    runningProcesses_ = std::move(running);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_OPT_AUTOMATIC), SW_SHOWNA);
}

std::int32_t TFrmOptions::LidChoiceShown() const {
    const LRESULT index = ::SendDlgItemMessageW(hwnd_, IDC_OPT_LIDCLOSED, CB_GETCURSEL, 0, 0);
    return index >= kLidAwakeNever && index <= kLidAwakeAlways ? static_cast<std::int32_t>(index)
                                                               : kLidAwakeNever;
}

// Each entry carries its EndAction value, so a missing "Hibernate" moves no
// other choice.
void TFrmOptions::FillEndActions() {
    HWND combo = ::GetDlgItem(hwnd_, IDC_OPT_ENDACTION);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (std::int32_t i = 0; i < kEndActionCount; ++i) {
        if (!offerHibernate_ && static_cast<EndAction>(i) == EndAction::Hibernate)
            continue;
        const auto at = ::SendMessageW(
            combo, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(LoadResString(IDS_OPT_END_NOTHING + i).c_str()));
        ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), i);
        if (i == options_.EndAction)
            ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
}

void TFrmOptions::OfferHibernate(bool offered) {
    offerHibernate_ = offered;
    FillEndActions();
}

std::wstring TFrmOptions::SpinText() const {
    return WindowText(::GetDlgItem(hwnd_, IDC_OPT_SPINEDIT));
}

void TFrmOptions::SetSpinText(const std::wstring& text) {
    ::SetDlgItemTextW(hwnd_, IDC_OPT_SPINEDIT, text.c_str());
}

void TFrmOptions::StepSpin(int delta) {
    SetSpinText(DecimalText(SteppedSpinValue(SpinText(), delta)));
    ::SendDlgItemMessageW(hwnd_, IDC_OPT_SPINEDIT, EM_SETSEL, 0, -1);
}

void SetMaximumsystemidletime1Click(const OptionsDialogHost& host) {
    if (FrmOptions) {
        // The tray menu works while the dialog is open: bring that one
        // forward, or the Automatic dialog open above it.
        BringForward(FrmAutomatic ? FrmAutomatic->Handle() : FrmOptions->Handle());
        return;
    }
    const StaywickPolicy policy = host.policy ? *host.policy : StaywickPolicy{};
    const bool notifySystemWasOn = EffectiveOptions(host.options, policy).NotifySystem;
    TFrmOptions dialog(host.owner, host.options, host.app.Handle(), policy);
    FrmOptions = &dialog;
    ScopeExit clear([] { FrmOptions = nullptr; });
    if (host.automatic)
        dialog.EditAutomatic(*host.automatic, host.runningProcesses);
    if (host.canHibernate)
        dialog.OfferHibernate(host.canHibernate());
    if (dialog.ShowModal(host.app) != IDOK)
        return;
    if (host.confirmed)
        host.confirmed(notifySystemWasOn);
}

} // namespace staywick
