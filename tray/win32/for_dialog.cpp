#include "tray/win32/for_dialog.h"

#include "common/app_error.h"
#include "common/integer_text.h"
#include "common/scope_exit.h"
#include "common/win32/placement_win32.h"
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
    : owner_(owner), initial_(std::clamp(minutes, 1, kMostMinutes)) {
    CreateFromTemplate(IDD_FOR, owner_);
    if (!hwnd_)
        throw AppError(L"Cannot create the For dialog");
}

TFrmFor::~TFrmFor() {
    Destroy();
}

INT_PTR TFrmFor::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR look = 0;
    if (HandleDialogLookMessage(hwnd_, msg, wParam, lParam, look))
        return look;
    switch (msg) {
    case WM_INITDIALOG:
        DisableDialogAutoScaling(hwnd_);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOURUPDOWN, UDM_SETRANGE32, 0, 24);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTEUPDOWN, UDM_SETRANGE32, 0, 59);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOURUPDOWN, UDM_SETPOS32, 0, initial_ / 60);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTEUPDOWN, UDM_SETPOS32, 0, initial_ % 60);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_HOUR, EM_LIMITTEXT, 2, 0);
        ::SendDlgItemMessageW(hwnd_, IDC_FOR_MINUTE, EM_LIMITTEXT, 2, 0);
        Layout(WindowDpi(hwnd_));
        AttachLook(hwnd_);
        return TRUE; // the focus goes to the hour field
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            result_ = LOWORD(wParam);
        return TRUE;
    default:
        return FALSE;
    }
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

int TFrmFor::ShowModal(Application& app) {
    result_.reset();
    PlaceNearTaskbar(hwnd_);
    return RunModal(app, hwnd_, owner_, result_);
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
