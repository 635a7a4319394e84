#include "tray/win32/for_dialog.h"

#include "common/integer_text.h"
#include "common/scope_exit.h"
#include "resources/resource.h"
#include "ui/common_controls.h"
#include "ui/dialog_support.h"
#include "ui/window_utils.h"

#include <algorithm>

namespace staywick {

TFrmFor* FrmFor = nullptr;

namespace {

constexpr UINT kDesignDpi = 120;
constexpr int kClientWidth = 345;
constexpr int kClientHeight = 100;
constexpr int kMostMinutes = 24 * 60;

// Positions and sizes at 120 pixels per inch, multiples of 5, so that
// neighbours that touch here still touch at 96 and 144 dpi.
constexpr DesignedBox kLayout[] = {
    {IDC_FOR_LABEL, 10, 20, 110, 20},
    {IDC_FOR_HOUR, 125, 15, 30, 30},
    {IDC_FOR_HOURUPDOWN, 155, 15, 15, 30},
    {IDC_FOR_HOURSLABEL, 175, 20, 45, 20},
    {IDC_FOR_MINUTE, 225, 15, 30, 30},
    {IDC_FOR_MINUTEUPDOWN, 255, 15, 15, 30},
    {IDC_FOR_MINUTESLABEL, 275, 20, 60, 20},
    {IDOK, 145, 60, 95, 30},
    {IDCANCEL, 245, 60, 90, 30},
};

} // namespace

TFrmFor::TFrmFor(HWND owner, std::int32_t minutes)
    : initial_(std::clamp(minutes, 1, kMostMinutes)) {
    Create(IDD_FOR, owner, L"Cannot create the For dialog");
}

TFrmFor::~TFrmFor() {
    Destroy();
}

// The focus goes to the first control, the hour field.
void TFrmFor::PrepareControls() {
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOURUPDOWN, UDM_SETRANGE32, 0, 24);
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTEUPDOWN, UDM_SETRANGE32, 0, 59);
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOURUPDOWN, UDM_SETPOS32, 0, initial_ / 60);
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTEUPDOWN, UDM_SETPOS32, 0, initial_ % 60);
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOUR, EM_LIMITTEXT, 2, 0);
    ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTE, EM_LIMITTEXT, 2, 0);
}

INT_PTR TFrmFor::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        EndModal(LOWORD(wParam));
    return TRUE;
}

void TFrmFor::Layout(UINT dpi) {
    LayOutDialog(hwnd_, {L"Segoe UI", 15, kLayout, kClientWidth, kClientHeight, kDesignDpi}, font_,
                 dpi);
}

int TFrmFor::FieldValue(int editId, int maximum) const {
    const std::optional<std::int32_t> value = ParseInteger(WindowText(::GetDlgItem(hwnd_, editId)));
    return std::clamp(value.value_or(0), 0, maximum);
}

std::int32_t TFrmFor::Minutes() const {
    const int minutes = FieldValue(IDC_FOR_HOUR, 24) * 60 + FieldValue(IDC_FOR_MINUTE, 59);
    return std::clamp(minutes, 1, kMostMinutes);
}

std::optional<std::int32_t> ChooseForLength(Application& app, HWND owner,
                                            std::int32_t initialMinutes) {
    if (FrmFor) {
        BringForward(FrmFor->Handle());
        return std::nullopt;
    }
    TFrmFor dialog(owner, initialMinutes);
    FrmFor = &dialog;
    const ScopeExit clear([] { FrmFor = nullptr; });
    if (dialog.ShowModal(app) != IDOK)
        return std::nullopt;
    return dialog.Minutes();
}

} // namespace staywick
