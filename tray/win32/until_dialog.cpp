#include "tray/win32/until_dialog.h"

#include "common/decimal_text.h"
#include "common/integer_text.h"
#include "common/scope_exit.h"
#include "resources/resource.h"
#include "ui/accessible_names.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <algorithm>

namespace staywick {

TFrmUntil* FrmUntil = nullptr;

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 260;
constexpr int kClientHeight = 100;

// Positions and sizes at 120 pixels per inch.
constexpr DesignedBox kLayout[] = {
    {IDC_UNTIL_LABEL, 10, 21, 124, 20},
    {IDC_UNTIL_HOUR, 136, 17, 32, 28},
    {IDC_UNTIL_HOURUPDOWN, 168, 17, 17, 28},
    {IDC_UNTIL_COLON, 189, 21, 6, 20},
    {IDC_UNTIL_MINUTE, 197, 17, 32, 28},
    {IDC_UNTIL_MINUTEUPDOWN, 229, 17, 17, 28},
    {IDOK, 64, 60, 93, 30},
    {IDCANCEL, 163, 60, 87, 30},
};

} // namespace

TFrmUntil::TFrmUntil(HWND owner, std::int32_t minuteOfDay)
    : initial_(std::clamp(minuteOfDay, 0, 1439)) {
    Create(IDD_UNTIL, owner, L"Cannot create the Until dialog");
}

TFrmUntil::~TFrmUntil() {
    Destroy();
}

// The focus goes to the first control, the hour field.
void TFrmUntil::PrepareControls() {
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_HOURUPDOWN, UDM_SETRANGE32, 0, 23);
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_MINUTEUPDOWN, UDM_SETRANGE32, 0, 59);
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_HOURUPDOWN, UDM_SETPOS32, 0, initial_ / 60);
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_MINUTEUPDOWN, UDM_SETPOS32, 0, initial_ % 60);
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_HOUR, EM_LIMITTEXT, 2, 0);
    ::SendDlgItemMessageW(hwnd_, IDC_UNTIL_MINUTE, EM_LIMITTEXT, 2, 0);
    // The ":" before it would be its name.
    AddHiddenLabel(hwnd_, IDC_UNTIL_MINUTE, IDS_A11Y_MINUTES);
}

INT_PTR TFrmUntil::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        EndModal(LOWORD(wParam));
    return TRUE;
}

void TFrmUntil::Layout(UINT dpi) {
    LayOutDialog(hwnd_, {L"Segoe UI", 15, kLayout, kClientWidth, kClientHeight, kDesignDpi}, font_,
                 dpi);
}

int TFrmUntil::FieldValue(int editId, int maximum) const {
    const std::optional<std::int32_t> value = ParseInteger(WindowText(::GetDlgItem(hwnd_, editId)));
    return std::clamp(value.value_or(0), 0, maximum);
}

std::int32_t TFrmUntil::MinuteOfDay() const {
    return FieldValue(IDC_UNTIL_HOUR, 23) * 60 + FieldValue(IDC_UNTIL_MINUTE, 59);
}

std::optional<std::int32_t> ChooseUntilTime(Application& app, HWND owner,
                                            std::int32_t initialMinute) {
    if (FrmUntil) {
        BringForward(FrmUntil->Handle());
        return std::nullopt;
    }
    TFrmUntil dialog(owner, initialMinute);
    FrmUntil = &dialog;
    const ScopeExit clear([] { FrmUntil = nullptr; });
    if (dialog.ShowModal(app) != IDOK)
        return std::nullopt;
    return dialog.MinuteOfDay();
}

} // namespace staywick
