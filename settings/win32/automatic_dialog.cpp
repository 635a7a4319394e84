#include "settings/win32/automatic_dialog.h"

#include "common/scope_exit.h"
#include "resources/resource.h"
#include "settings/automatic_entry.h"
#include "settings/win32/automatic_layout.h"
#include "ui/accessible_names.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace staywick {

TFrmAutomatic* FrmAutomatic = nullptr;

using namespace automatic_layout;

namespace {

const NumberField* NumberFieldOf(int editId) {
    for (const NumberField& field : kNumberFields) {
        if (field.edit == editId)
            return &field;
    }
    return nullptr;
}

} // namespace

TFrmAutomatic::TFrmAutomatic(HWND owner, AutomaticOptions& options, RunningProcesses running,
                             bool allowAutomatic, bool lidPauseOverruled)
    : options_(options), running_(std::move(running)), allowAutomatic_(allowAutomatic),
      lidPauseOverruled_(lidPauseOverruled) {
    Create(IDD_AUTOMATIC, owner, L"Cannot create the Automatic dialog");
}

TFrmAutomatic::~TFrmAutomatic() {
    Destroy();
}

void TFrmAutomatic::PrepareControls() {
    for (const NumberField& field : kNumberFields) {
        ::SendDlgItemMessageW(hwnd_, field.arrows, UDM_SETRANGE32, field.low, field.high);
        ::SendDlgItemMessageW(hwnd_, field.edit, EM_LIMITTEXT, field.high > 99 ? 3 : 2, 0);
    }
    // The ":" before them would be their names.
    AddHiddenLabel(hwnd_, IDC_AUTO_FROMMINUTE, IDS_A11Y_MINUTES);
    AddHiddenLabel(hwnd_, IDC_AUTO_TOMINUTE, IDS_A11Y_MINUTES);
}

bool TFrmAutomatic::FillControls() {
    FormCreate();
    return true; // the focus goes to the first control, the program list
}

INT_PTR TFrmAutomatic::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case kProgramPicked:
        windowRows_.ProgramPicked(hwnd_, wParam);
        return TRUE;
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
    if (windowRows_.OnCommand(hwnd_, id, code, running_))
        return;
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
            EndModal(IDOK);
        break;
    }
    case IDCANCEL: // the Cancel button, Esc and the close box
        EndModal(IDCANCEL);
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
        if (box.id == IDC_AUTO_NAME || box.id == IDC_AUTO_FRONTNAMES) {
            // The given height is the closed field's; the list drops below it.
            ::SetWindowPos(ctl, nullptr, left, s(top), width, height + s(kDroppedListHeight),
                           SWP_NOZORDER);
            SetComboFieldHeight(ctl, height);
            continue;
        }
        ::SetWindowPos(ctl, nullptr, left, s(top), width, height, SWP_NOZORDER);
    }
    const int lidRow = lidPauseOverruled_ ? kLidNoteRow : 0;
    SetClientSize(hwnd_, s(kClientWidth), s(kClientHeight + noteShift + lidRow), dpi);
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
    windowRows_.Fill(hwnd_, options_);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_AUTO_POLICYNOTE), allowAutomatic_ ? SW_HIDE : SW_SHOWNA);
    ::ShowWindow(::GetDlgItem(hwnd_, IDC_AUTO_LIDNOTE), lidPauseOverruled_ ? SW_SHOWNA : SW_HIDE);
    EnableControls();
}

void TFrmAutomatic::EnableControls() {
    for (int id : kReasonControls)
        ::EnableWindow(::GetDlgItem(hwnd_, id), allowAutomatic_);
    const bool selected =
        ::SendDlgItemMessageW(hwnd_, IDC_AUTO_PROGRAMLIST, LB_GETCURSEL, 0, 0) != LB_ERR;
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_AUTO_REMOVE), allowAutomatic_ && selected);
    ::EnableWindow(::GetDlgItem(hwnd_, IDC_AUTO_LIDCLOSED), !lidPauseOverruled_);
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
    FillRunningProgramNames(::GetDlgItem(hwnd_, IDC_AUTO_NAME), running_);
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
    if (allowAutomatic_ && !windowRows_.Read(hwnd_, chosen))
        return false;
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
    if (!lidPauseOverruled_)
        pauses.PauseOnLidClosed = checked(IDC_AUTO_LIDCLOSED);
    pauses.DisplayOffWhenLocked = checked(IDC_AUTO_DISPLAYOFF);
    options_ = std::move(chosen);
    return true;
}

bool EditAutomaticOptions(Application& app, HWND owner, AutomaticOptions& options,
                          RunningProcesses running, bool allowAutomatic, bool lidPauseOverruled) {
    if (FrmAutomatic) {
        BringForward(FrmAutomatic->Handle());
        return false;
    }
    TFrmAutomatic dialog(owner, options, std::move(running), allowAutomatic, lidPauseOverruled);
    FrmAutomatic = &dialog;
    const ScopeExit clear([] { FrmAutomatic = nullptr; });
    return dialog.ShowModal(app) == IDOK;
}

} // namespace staywick
