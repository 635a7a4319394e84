#include "settings/win32/automatic_dialog.h"

#include "common/app_error.h"
#include "common/scope_exit.h"
#include "common/win32/placement_win32.h"
#include "resources/resource.h"
#include "settings/automatic_entry.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace staywick {

TFrmAutomatic* FrmAutomatic = nullptr;

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 456;
constexpr int kClientHeight = 490;
// With the policy note shown, the buttons and the bottom edge move down by this.
constexpr int kPolicyNoteShift = 28;
constexpr int kPolicyNoteTop = 446;
constexpr int kDroppedListHeight = 200;

enum class Font { Normal, Heading, Small };

struct ControlBox {
    int id;
    int left, top, width, height;
    Font font = Font::Normal;
};

// Positions and sizes at 120 pixels per inch.
constexpr ControlBox kLayout[] = {
    {IDC_AUTO_PROGRAMSHEADING, 10, 10, 436, 20, Font::Heading},
    {IDC_AUTO_PROGRAMLIST, 10, 34, 306, 104},
    {IDC_AUTO_REMOVE, 328, 34, 118, 30},
    {IDC_AUTO_NAMELABEL, 10, 152, 72, 20},
    {IDC_AUTO_NAME, 86, 148, 230, 28}, // the closed field; the list drops below
    {IDC_AUTO_ADD, 328, 147, 118, 30},
    {IDC_AUTO_SCHEDULEHEADING, 10, 192, 436, 20, Font::Heading},
    {IDC_AUTO_MONDAY, 10, 218, 60, 21},
    {IDC_AUTO_MONDAY + 1, 72, 218, 60, 21},
    {IDC_AUTO_MONDAY + 2, 134, 218, 60, 21},
    {IDC_AUTO_MONDAY + 3, 196, 218, 60, 21},
    {IDC_AUTO_MONDAY + 4, 258, 218, 60, 21},
    {IDC_AUTO_MONDAY + 5, 320, 218, 60, 21},
    {IDC_AUTO_SUNDAY, 382, 218, 60, 21},
    {IDC_AUTO_FROMLABEL, 10, 254, 80, 20},
    {IDC_AUTO_FROMHOUR, 92, 250, 32, 28},
    {IDC_AUTO_FROMHOURUPDOWN, 124, 250, 17, 28},
    {IDC_AUTO_FROMCOLON, 143, 254, 8, 20},
    {IDC_AUTO_FROMMINUTE, 153, 250, 32, 28},
    {IDC_AUTO_FROMMINUTEUPDOWN, 185, 250, 17, 28},
    {IDC_AUTO_TOLABEL, 214, 254, 38, 20},
    {IDC_AUTO_TOHOUR, 254, 250, 32, 28},
    {IDC_AUTO_TOHOURUPDOWN, 286, 250, 17, 28},
    {IDC_AUTO_TOCOLON, 305, 254, 8, 20},
    {IDC_AUTO_TOMINUTE, 315, 250, 32, 28},
    {IDC_AUTO_TOMINUTEUPDOWN, 347, 250, 17, 28},
    {IDC_AUTO_PAUSESHEADING, 10, 292, 436, 20, Font::Heading},
    {IDC_AUTO_ONBATTERY, 10, 318, 436, 21},
    {IDC_AUTO_BELOWBATTERY, 10, 350, 234, 21},
    {IDC_AUTO_PERCENT, 246, 346, 44, 28},
    {IDC_AUTO_PERCENTUPDOWN, 290, 346, 17, 28},
    {IDC_AUTO_PERCENTLABEL, 313, 350, 133, 20},
    {IDC_AUTO_LIDCLOSED, 10, 382, 436, 21},
    {IDC_AUTO_DISPLAYOFF, 10, 414, 436, 21},
    {IDC_AUTO_POLICYNOTE, 10, kPolicyNoteTop, 436, 20, Font::Small},
    {IDOK, 251, 450, 93, 30},
    {IDCANCEL, 352, 450, 94, 30},
};

// The controls of the automatic reasons, greyed while a policy turns them off.
constexpr int kReasonControls[] = {
    IDC_AUTO_PROGRAMSHEADING,
    IDC_AUTO_PROGRAMLIST,
    IDC_AUTO_REMOVE,
    IDC_AUTO_NAMELABEL,
    IDC_AUTO_NAME,
    IDC_AUTO_ADD,
    IDC_AUTO_SCHEDULEHEADING,
    IDC_AUTO_MONDAY,
    IDC_AUTO_MONDAY + 1,
    IDC_AUTO_MONDAY + 2,
    IDC_AUTO_MONDAY + 3,
    IDC_AUTO_MONDAY + 4,
    IDC_AUTO_MONDAY + 5,
    IDC_AUTO_SUNDAY,
    IDC_AUTO_FROMLABEL,
    IDC_AUTO_FROMHOUR,
    IDC_AUTO_FROMHOURUPDOWN,
    IDC_AUTO_FROMCOLON,
    IDC_AUTO_FROMMINUTE,
    IDC_AUTO_FROMMINUTEUPDOWN,
    IDC_AUTO_TOLABEL,
    IDC_AUTO_TOHOUR,
    IDC_AUTO_TOHOURUPDOWN,
    IDC_AUTO_TOCOLON,
    IDC_AUTO_TOMINUTE,
    IDC_AUTO_TOMINUTEUPDOWN,
};

// A time field pair: hour and minute edits with their arrows.
struct TimeFields {
    int hour, hourArrows, minute, minuteArrows;
};
constexpr TimeFields kFrom{IDC_AUTO_FROMHOUR, IDC_AUTO_FROMHOURUPDOWN, IDC_AUTO_FROMMINUTE,
                           IDC_AUTO_FROMMINUTEUPDOWN};
constexpr TimeFields kTo{IDC_AUTO_TOHOUR, IDC_AUTO_TOHOURUPDOWN, IDC_AUTO_TOMINUTE,
                         IDC_AUTO_TOMINUTEUPDOWN};

constexpr int kPercentLow = 1;    // "below 0 %" could never hold
constexpr int kPercentShown = 20; // shown while the choice is off

// The bounds of a number field, and the arrows beside it.
struct NumberField {
    int edit, arrows, low, high;
};
constexpr NumberField kNumberFields[] = {
    {IDC_AUTO_FROMHOUR, IDC_AUTO_FROMHOURUPDOWN, 0, 23},
    {IDC_AUTO_FROMMINUTE, IDC_AUTO_FROMMINUTEUPDOWN, 0, 59},
    {IDC_AUTO_TOHOUR, IDC_AUTO_TOHOURUPDOWN, 0, 23},
    {IDC_AUTO_TOMINUTE, IDC_AUTO_TOMINUTEUPDOWN, 0, 59},
    {IDC_AUTO_PERCENT, IDC_AUTO_PERCENTUPDOWN, kPercentLow, 100},
};

const NumberField* NumberFieldOf(int editId) {
    for (const NumberField& field : kNumberFields) {
        if (field.edit == editId)
            return &field;
    }
    return nullptr;
}

} // namespace

TFrmAutomatic::TFrmAutomatic(HWND owner, AutomaticOptions& options, RunningProcesses running,
                             bool allowAutomatic)
    : owner_(owner), options_(options), running_(std::move(running)),
      allowAutomatic_(allowAutomatic) {
    CreateFromTemplate(IDD_AUTOMATIC, owner_);
    if (!hwnd_)
        throw AppError(L"Cannot create the Automatic dialog");
}

TFrmAutomatic::~TFrmAutomatic() {
    Destroy();
}

INT_PTR TFrmAutomatic::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR look = 0;
    if (HandleDialogLookMessage(hwnd_, msg, wParam, lParam, look))
        return look;
    switch (msg) {
    case WM_INITDIALOG:
        DisableDialogAutoScaling(hwnd_);
        for (const NumberField& field : kNumberFields) {
            ::SendDlgItemMessageW(hwnd_, field.arrows, UDM_SETRANGE32, field.low, field.high);
            ::SendDlgItemMessageW(hwnd_, field.edit, EM_LIMITTEXT, field.high > 99 ? 3 : 2, 0);
        }
        Layout(WindowDpi(hwnd_));
        FormCreate();
        AttachLook(hwnd_);
        return TRUE; // the focus goes to the first control, the program list
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_VKEYTOITEM:
        // Del in the program list removes the selected name (-2: handled);
        // other keys move the selection as usual (-1). A dialog procedure
        // answers this message directly.
        if (LOWORD(wParam) == VK_DELETE && allowAutomatic_) {
            RemoveSelected();
            return -2;
        }
        return -1;
    default:
        return FALSE;
    }
}

void TFrmAutomatic::OnCommand(int id, int code) {
    if (const NumberField* field = NumberFieldOf(id)) {
        // As the Options dialog's field: a number out of range is set to the
        // nearer bound when the field is left.
        if (code == EN_KILLFOCUS)
            SetFieldValue(field->arrows, FieldValue(id, field->low, field->high));
        return;
    }
    switch (id) {
    case IDOK: {
        // Enter in the program field adds the name typed there; OK itself
        // (clicked, or Enter elsewhere) confirms the dialog.
        HWND field = ::GetDlgItem(hwnd_, IDC_AUTO_NAME);
        HWND focus = ::GetFocus();
        if ((focus == field || ::IsChild(field, focus)) && !WindowText(field).empty()) {
            AddTypedName(true);
            break;
        }
        if (BtnOkClick())
            result_ = IDOK;
        break;
    }
    case IDCANCEL: // the Cancel button, Esc and the close box
        result_ = IDCANCEL;
        break;
    case IDC_AUTO_ADD:
        AddTypedName(true);
        break;
    case IDC_AUTO_REMOVE:
        RemoveSelected();
        break;
    case IDC_AUTO_PROGRAMLIST:
        if (code == LBN_SELCHANGE)
            EnableControls();
        break;
    case IDC_AUTO_NAME:
        if (code == CBN_DROPDOWN)
            FillRunningPrograms();
        break;
    case IDC_AUTO_BELOWBATTERY:
        if (code == BN_CLICKED)
            EnableControls();
        break;
    default:
        break;
    }
}

void TFrmAutomatic::Layout(UINT dpi) {
    const auto s = [dpi](int v) { return Scale(v, dpi, kDesignDpi); };
    const int noteShift = allowAutomatic_ ? 0 : kPolicyNoteShift;
    // The old fonts stay alive until every control has the new ones.
    const win32::FontHandle oldFont = std::move(font_);
    const win32::FontHandle oldBold = std::move(boldFont_);
    const win32::FontHandle oldSmall = std::move(smallFont_);
    font_.Reset(CreateUiFont(L"Segoe UI", s(15)));
    boldFont_.Reset(CreateUiFont(L"Segoe UI", s(15), true));
    smallFont_.Reset(CreateUiFont(L"Segoe UI", s(13)));
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    for (const ControlBox& box : kLayout) {
        HWND ctl = ::GetDlgItem(hwnd_, box.id);
        const HFONT font = box.font == Font::Heading ? boldFont_.Get()
                           : box.font == Font::Small ? smallFont_.Get()
                                                     : font_.Get();
        ::SendMessageW(ctl, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        const int top = box.top > kPolicyNoteTop ? box.top + noteShift : box.top;
        // Edges are scaled rather than sizes, so that neighbours stay neighbours.
        const int left = s(box.left);
        const int width = s(box.left + box.width) - left;
        const int height = s(top + box.height) - s(top);
        if (box.id == IDC_AUTO_NAME) {
            // The given height is the closed field's; the list drops below it.
            ::SetWindowPos(ctl, nullptr, left, s(top), width, height + s(kDroppedListHeight),
                           SWP_NOZORDER);
            SetComboFieldHeight(ctl, height);
            continue;
        }
        ::SetWindowPos(ctl, nullptr, left, s(top), width, height, SWP_NOZORDER);
    }
    SetClientSize(hwnd_, s(kClientWidth), s(kClientHeight + noteShift), dpi);
}

void TFrmAutomatic::FormCreate() {
    programs_ = options_.WhilePrograms;
    HWND list = ::GetDlgItem(hwnd_, IDC_AUTO_PROGRAMLIST);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& program : programs_)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(program.c_str()));
    for (int day = 0; day < 7; ++day) {
        const bool on = (options_.ScheduleDays & (1 << day)) != 0;
        ::CheckDlgButton(hwnd_, IDC_AUTO_MONDAY + day, on ? BST_CHECKED : BST_UNCHECKED);
    }
    const auto setTime = [this](const TimeFields& fields, std::int32_t minuteOfDay) {
        const std::int32_t minute = std::clamp(minuteOfDay, 0, 24 * 60 - 1);
        SetFieldValue(fields.hourArrows, minute / 60);
        SetFieldValue(fields.minuteArrows, minute % 60);
    };
    setTime(kFrom, options_.ScheduleFrom);
    setTime(kTo, options_.ScheduleTo);
    const PauseChoices& pauses = options_.Pauses;
    const auto check = [this](int id, bool on) {
        ::CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED);
    };
    check(IDC_AUTO_ONBATTERY, pauses.PauseOnBattery);
    const bool below = pauses.PauseBelowBattery >= kPercentLow;
    check(IDC_AUTO_BELOWBATTERY, below);
    SetFieldValue(IDC_AUTO_PERCENTUPDOWN,
                  below ? std::min(pauses.PauseBelowBattery, 100) : kPercentShown);
    check(IDC_AUTO_LIDCLOSED, pauses.PauseOnLidClosed);
    check(IDC_AUTO_DISPLAYOFF, pauses.DisplayOffWhenLocked);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_AUTO_POLICYNOTE), allowAutomatic_ ? SW_HIDE : SW_SHOWNA);
    EnableControls();
}

void TFrmAutomatic::EnableControls() {
    for (int id : kReasonControls)
        ::EnableWindow(::GetDlgItem(hwnd_, id), allowAutomatic_);
    const bool selected =
        ::SendDlgItemMessageW(hwnd_, IDC_AUTO_PROGRAMLIST, LB_GETCURSEL, 0, 0) != LB_ERR;
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_AUTO_REMOVE), allowAutomatic_ && selected);
    const bool below = ::IsDlgButtonChecked(hwnd_, IDC_AUTO_BELOWBATTERY) == BST_CHECKED;
    for (int id : {IDC_AUTO_PERCENT, IDC_AUTO_PERCENTUPDOWN, IDC_AUTO_PERCENTLABEL})
        ::EnableWindow(::GetDlgItem(hwnd_, id), below);
}

bool TFrmAutomatic::AddTypedName(bool beepWhenEmpty) {
    HWND field = ::GetDlgItem(hwnd_, IDC_AUTO_NAME);
    const ProgramEntry entry = CheckProgramEntry(programs_, WindowText(field));
    HWND list = ::GetDlgItem(hwnd_, IDC_AUTO_PROGRAMLIST);
    switch (entry.outcome) {
    case ProgramEntryOutcome::Empty:
        if (beepWhenEmpty)
            ::MessageBeep(0);
        return true;
    case ProgramEntryOutcome::NotAFileName:
        ::MessageBoxW(hwnd_, LoadResString(IDS_AUTO_NOT_A_FILE_NAME).c_str(), L"Staywick",
                      MB_OK | MB_ICONWARNING);
        ::SetFocus(field);
        ::SendMessageW(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return false;
    case ProgramEntryOutcome::AlreadyListed:
        break;
    case ProgramEntryOutcome::Add:
        programs_.push_back(entry.name);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
        break;
    }
    const auto at = std::find(programs_.begin(), programs_.end(), entry.name);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at - programs_.begin()), 0);
    ::SetWindowTextW(field, L"");
    EnableControls();
    return true;
}

void TFrmAutomatic::RemoveSelected() {
    HWND list = ::GetDlgItem(hwnd_, IDC_AUTO_PROGRAMLIST);
    const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<std::size_t>(index) >= programs_.size())
        return;
    programs_.erase(programs_.begin() + index);
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    // The next name takes the selection, or the one before at the end.
    const auto count = static_cast<LRESULT>(programs_.size());
    if (count > 0)
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(std::min(index, count - 1)), 0);
    EnableControls();
    if (count == 0) // the Remove button, now greyed, had the focus
        ::SendMessageW(hwnd_, WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(hwnd_, IDC_AUTO_NAME)), TRUE);
}

// The list offers what runs now; the typed text stays.
void TFrmAutomatic::FillRunningPrograms() {
    HWND field = ::GetDlgItem(hwnd_, IDC_AUTO_NAME);
    const std::wstring typed = WindowText(field);
    ::SendMessageW(field, CB_RESETCONTENT, 0, 0);
    if (running_) {
        for (const std::wstring& name : RunningProgramNames(running_()))
            ::SendMessageW(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SetWindowTextW(field, typed.c_str());
}

int TFrmAutomatic::FieldValue(int editId, int low, int high) const {
    return BoundedFieldValue(WindowText(::GetDlgItem(hwnd_, editId)), low, high);
}

void TFrmAutomatic::SetFieldValue(int upDownId, int value) {
    ::SendDlgItemMessageW(hwnd_, upDownId, UDM_SETPOS32, 0, value);
}

bool TFrmAutomatic::BtnOkClick() {
    if (allowAutomatic_ && !AddTypedName(false))
        return false;
    AutomaticOptions chosen = options_;
    if (allowAutomatic_) {
        chosen.WhilePrograms = programs_;
        chosen.ScheduleDays = 0;
        for (int day = 0; day < 7; ++day) {
            if (::IsDlgButtonChecked(hwnd_, IDC_AUTO_MONDAY + day) == BST_CHECKED)
                chosen.ScheduleDays |= 1 << day;
        }
        const auto time = [this](const TimeFields& fields) {
            return FieldValue(fields.hour, 0, 23) * 60 + FieldValue(fields.minute, 0, 59);
        };
        chosen.ScheduleFrom = time(kFrom);
        chosen.ScheduleTo = time(kTo);
    }
    const auto checked = [this](int id) { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; };
    PauseChoices& pauses = chosen.Pauses;
    pauses.PauseOnBattery = checked(IDC_AUTO_ONBATTERY);
    pauses.PauseBelowBattery =
        checked(IDC_AUTO_BELOWBATTERY) ? FieldValue(IDC_AUTO_PERCENT, kPercentLow, 100) : 0;
    pauses.PauseOnLidClosed = checked(IDC_AUTO_LIDCLOSED);
    pauses.DisplayOffWhenLocked = checked(IDC_AUTO_DISPLAYOFF);
    options_ = std::move(chosen);
    return true;
}

int TFrmAutomatic::ShowModal(Application& app) {
    result_.reset();
    PlaceNearTaskbar(hwnd_);
    return RunModal(app, hwnd_, owner_, result_);
}

bool EditAutomaticOptions(Application& app, HWND owner, AutomaticOptions& options,
                          RunningProcesses running, bool allowAutomatic) {
    if (FrmAutomatic) {
        ::ShowWindow(FrmAutomatic->Handle(), SW_SHOW);
        ::SetForegroundWindow(FrmAutomatic->Handle());
        return false;
    }
    TFrmAutomatic dialog(owner, options, std::move(running), allowAutomatic);
    FrmAutomatic = &dialog;
    const ScopeExit clear([] { FrmAutomatic = nullptr; });
    return dialog.ShowModal(app) == IDOK;
}

} // namespace staywick
